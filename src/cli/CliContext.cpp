#include "CliContext.h"

#include "platform/OutputGuard.h"

CliContext::CliContext() {
    ui.onMessage = [this](const HeadlessUi::Message& message) { Report(message.text); };
}

void CliContext::Report(const QString& message) {
    QString text = message;
    text.replace('\r', '\n');
    err << "albora-cli: " << text << Qt::endl;
}

int CliContext::Usage(const QString& reason) {
    err << "albora-cli: " << reason << Qt::endl << "Try 'albora-cli --help'." << Qt::endl;
    return kExitUsage;
}

int CliContext::Fail(const QString& reason) {
    Report(reason);
    return kExitFailure;
}

QString OutputOverInput(const QString& output, const QStringList& inputs) {
    OutputGuard guard;
    for (const QString& input : inputs) guard.Protect(input, QStringLiteral("an input of the command"));
    return guard.WriteRefusal(output);
}
