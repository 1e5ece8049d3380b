#include "CliContext.h"

CliContext::CliContext() {
    ui.onMessage = [this](const HeadlessUi::Message& message) {
        QString text = message.text;
        text.replace('\r', '\n');
        err << text << Qt::endl;
    };
}

int CliContext::Usage(const QString& reason) {
    err << "albora-cli: " << reason << Qt::endl << "Try 'albora-cli --help'." << Qt::endl;
    return kExitUsage;
}

int CliContext::Fail(const QString& reason) {
    err << reason << Qt::endl;
    return kExitFailure;
}
