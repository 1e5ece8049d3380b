#include "CInternetPage.h"

#include "CommandLineProgram.h"

#include "album/CAppSettings.h"
#include "platform/UiServices.h"
#include "web/WebCommandLines.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLineEdit* Edit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

// A group of one labelled FIELD; the label's mnemonic focuses the field.
QGroupBox* Group(const QString& title, const QString& label, QWidget* field) {
    auto* group = new QGroupBox(title);
    auto* form = new QFormLayout(group);
    form->addRow(label, field);
    return group;
}

}  // namespace

CInternetPage::CInternetPage(UiServices& ui, QWidget* parent)
    : QWidget(parent),
      m_ui(ui),
      m_defaultDirectory(Edit("assistDefDir")),
      m_editor(Edit("htmlEditor")),
      m_publisher(Edit("publisher")),
      m_internalBrowser(new QCheckBox(QStringLiteral("&Use internal web browser for view"))) {
    m_internalBrowser->setObjectName(QStringLiteral("useInternalBrowser"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group(QStringLiteral("Internet assistant"),
                            QStringLiteral("Default creation &dir:"), m_defaultDirectory));
    layout->addWidget(Group(QStringLiteral("Editor"), QStringLiteral("&Program:"),
                            CommandRow(m_editor, QStringLiteral("Editor"))));
    layout->addWidget(Group(QStringLiteral("Publisher"), QStringLiteral("P&rogram:"),
                            CommandRow(m_publisher, QStringLiteral("Publisher"))));
    layout->addWidget(m_internalBrowser);
    layout->addStretch();
    // The three groups' fields start in one column.
    QList<QLabel*> labels = findChildren<QLabel*>();
    labels.removeIf([](const QLabel* label) { return !label->buddy(); });
    int widest = 0;
    for (const QLabel* label : labels) widest = std::max(widest, label->sizeHint().width());
    for (QLabel* label : labels) label->setMinimumWidth(widest);
}

QWidget* CInternetPage::CommandRow(QLineEdit* edit, const QString& chooserTitle) {
    auto* browse = new QPushButton(QStringLiteral("..."));
    browse->setObjectName(edit->objectName() + QStringLiteral("Browse"));
    browse->setToolTip(QStringLiteral("Choose the program"));
    browse->setFixedWidth(32);
    connect(browse, &QPushButton::clicked, this, [this, edit, chooserTitle] {
        if (const auto program = m_ui.ChooseFile(FileDialogKind::Open, chooserTitle,
                                                 QStringLiteral("All files (*)"), QString()))
            edit->setText(WithProgram(edit->text(), *program));
    });
    // A command line kept from Windows is shown as stored, with why it will not run.
    auto* problem = new QLabel;
    problem->setObjectName(edit->objectName() + QStringLiteral("Problem"));
    problem->setWordWrap(true);
    const auto showProblem = [problem](const QString& commandLine) {
        problem->setText(WindowsProgramProblem(commandLine));
        problem->setHidden(problem->text().isEmpty());
    };
    showProblem(edit->text());
    connect(edit, &QLineEdit::textChanged, problem, showProblem);
    auto* row = new QWidget;
    row->setFocusProxy(edit);
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 0, 0);
    layout->addWidget(browse, 0, 1);
    layout->addWidget(problem, 1, 0, 1, 2);
    return row;
}

void CInternetPage::Load(const CAppSettings& settings) {
    m_defaultDirectory->setText(settings.assistDefDir);
    m_editor->setText(settings.htmlEditor);
    m_publisher->setText(settings.publisher);
    // Long command lines show their program first.
    for (QLineEdit* edit : {m_defaultDirectory, m_editor, m_publisher}) edit->setCursorPosition(0);
    m_internalBrowser->setChecked(settings.useInternalBrowser != 0);
}

void CInternetPage::Store(CAppSettings& settings) const {
    settings.assistDefDir = m_defaultDirectory->text();
    settings.htmlEditor = m_editor->text();
    settings.publisher = m_publisher->text();
    settings.useInternalBrowser = m_internalBrowser->isChecked() ? 1 : 0;
}
