#include "UtilitiesDialog.h"

#include "album/CAppSettings.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

namespace {

const QString kApplications = QStringLiteral("Applications (*)");

// Folders and executable files only, while the dialog's "Applications" filter is chosen. QDir's
// permission filters cannot say this: they hide what has a permission that was not asked for.
class ExecutablesFilter final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void ShowAll(bool all) {
        m_all = all;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (m_all || !files) return true;
        const QModelIndex index = files->index(row, 0, parent);
        return files->isDir(index) || files->fileInfo(index).isExecutable();
    }

private:
    bool m_all = false;
};

}  // namespace

UtilitiesDialog::UtilitiesDialog(CAppSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setWindowTitle(QStringLiteral("Define utilities"));
    chooseProgram = [this](const QString& current) { return ChooseApplication(this, current); };
    auto* group = new QGroupBox(QStringLiteral("Utilities"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Denomination, path and parameters"), group), 0, 0, 1, 2);
    const auto definitions = UtilitySettings(m_settings);
    for (int i = 0; i < UtilityDefinition::kCount; ++i) {
        const auto at = std::size_t(i);
        m_edits[at] = new QLineEdit(*definitions[at], group);
        m_edits[at]->setMinimumWidth(360);
        m_browse[at] = new QPushButton(QStringLiteral("..."), group);
        m_browse[at]->setMaximumWidth(m_browse[at]->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
        connect(m_browse[at], &QPushButton::clicked, this, [this, i] { Browse(i); });
        grid->addWidget(m_edits[at], i + 1, 0);
        grid->addWidget(m_browse[at], i + 1, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("MenuName;path argument1 argument2..."), group),
                    UtilityDefinition::kCount + 1, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void UtilitiesDialog::Browse(int utility) {
    QLineEdit* edit = m_edits[std::size_t(utility)];
    const QString current = QProcess::splitCommand(UtilityDefinition::Parse(edit->text()).commandTemplate).value(0);
    const std::optional<QString> program = chooseProgram(current);
    if (!program) return;
    // The path takes the whole line, as a word the command line keeps whole.
    edit->setText(program->contains(' ') ? '"' + *program + '"' : *program);
}

void UtilitiesDialog::accept() {
    const auto definitions = UtilitySettings(m_settings);
    for (std::size_t i = 0; i < definitions.size(); ++i) *definitions[i] = m_edits[i]->text();
    QDialog::accept();
}

std::optional<QString> ChooseApplication(QWidget* parent, const QString& current) {
    QFileDialog dialog(parent, QStringLiteral("Assign application"), QFileInfo(current).absolutePath());
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Listing only executables needs Qt's own dialog; a desktop's dialog takes no proxy model.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({kApplications, QStringLiteral("All files (*)")});
    auto* executables = new ExecutablesFilter(&dialog);
    dialog.setProxyModel(executables);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [executables](const QString& filter) { executables->ShowAll(filter != kApplications); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}
