// albora-cli utility ALBUM.crp N: one of the user's utilities run as the Utilities menu runs it,
// with card K of the album as the selected card and without the question.
#include "CliArgs.h"
#include "CliContext.h"

#include "album/CAlboraDoc.h"
#include "album/UtilityDefinition.h"
#include "platform/ProcessLauncher.h"
#include "platform/ProgramPaths.h"

namespace {

// Prints what it is asked to start, so a dry run takes the same path as a real one.
class PrintingLauncher final : public ProcessLauncher {
public:
    explicit PrintingLauncher(QTextStream& out) : m_out(out) {}
    bool StartDetached(const QString& program, const QStringList& args) override {
        m_out << program << Qt::endl;
        for (const QString& arg : args) m_out << arg << Qt::endl;
        return true;
    }
    QString RunAndRead(const QString&, const QStringList&) override { return {}; }
    bool Exists(const QString&) const override { return false; }

private:
    QTextStream& m_out;
};

}  // namespace

int RunUtilityCommand(CliContext& c, const QStringList& args) {
    CliOptions options{{"card"}, {"dry-run"}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (parsed->positional.size() != 2) return c.Usage(QStringLiteral("utility takes ALBUM.crp N"));
    bool ok = true;
    const int n = parsed->positional[1].toInt(&ok);
    if (!ok || n < 1 || n > UtilityDefinition::kCount) return c.Usage(QStringLiteral("N is 1 to 5"));
    const int card = parsed->Value("card", "0").toInt(&ok);
    if (!ok || card < 0) return c.Usage(QStringLiteral("--card is a card number from 1"));

    // The definitions are the user's, as the program keeps them.
    c.settings.Load(*MakeUserSettingsStore());
    c.settings.ApplyProgramDirectory(ProgramPaths::ProgramDirectory(), ProgramPaths::ScratchDirectory());
    CAlboraDoc doc(c.ui, c.settings);
    if (!doc.FileOpen(parsed->positional[0])) return kExitFailure;
    std::optional<SelectedCardTexts> selection;
    if (card > 0) {
        const CFotoObj* selected = doc.Db().GetAt(card - 1);
        if (!selected) return c.Fail(QStringLiteral("The album has no card %1.").arg(card));
        selection = CardTexts(*selected);
    }
    SystemProcessLauncher system;
    PrintingLauncher printing(c.out);
    ProcessLauncher& launcher = parsed->Has("dry-run") ? static_cast<ProcessLauncher&>(printing) : system;
    const QString definition = *UtilitySettings(c.settings)[std::size_t(n - 1)];
    return RunUtility(definition, doc, selection, c.ui, launcher, UtilityQuestion::Skip, nullptr) ? kExitOk
                                                                                                  : kExitFailure;
}
