#include "SaneOptionsDialog.h"

#include "capture/sane/SaneOptions.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <sane/saneopts.h>

namespace {

// The options a user looks for first, in this order.
const char* const kMainOptions[] = {SANE_NAME_SCAN_MODE, SANE_NAME_SCAN_RESOLUTION, SANE_NAME_SCAN_SOURCE,
                                    SANE_NAME_BIT_DEPTH, SANE_NAME_SCAN_TL_X,       SANE_NAME_SCAN_TL_Y,
                                    SANE_NAME_SCAN_BR_X, SANE_NAME_SCAN_BR_Y};

bool IsMain(const SANE_Option_Descriptor& d) {
    if (!d.name) return false;
    for (const char* name : kMainOptions)
        if (qstrcmp(d.name, name) == 0) return true;
    return false;
}

QString Text(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

}  // namespace

SaneOptionsDialog::SaneOptionsDialog(SaneOptions& options, const QString& scanner, UiServices& ui, QWidget* parent)
    : QDialog(parent), m_options(options), m_ui(ui), m_scroll(new QScrollArea(this)) {
    setWindowTitle(scanner);
    auto* layout = new QVBoxLayout(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(m_scroll);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(QStringLiteral("&Scan"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Rebuild();
    resize(480, 560);
}

void SaneOptionsDialog::Apply(int index, const QString& text) {
    QString error;
    if (!m_options.Set(index, text, &error)) m_ui.MessageBox(error, MsgButtons::Ok, MsgIcon::Exclamation);
    // The device may round the value or change the other options: show what it holds now, after
    // the editor that sent the change has finished with it.
    if (m_rebuildQueued) return;
    m_rebuildQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_rebuildQueued = false;
        Rebuild();
    });
}

QWidget* SaneOptionsDialog::Editor(int index) {
    const SANE_Option_Descriptor& d = *m_options.Descriptor(index);
    const QString value = m_options.Value(index);
    const QStringList choices = m_options.Choices(index);
    const bool single = d.size == int(sizeof(SANE_Word));
    QWidget* editor = nullptr;
    if (d.type == SANE_TYPE_BUTTON) {
        auto* button = new QPushButton(Text(d.title));
        connect(button, &QPushButton::clicked, this, [this, index] { Apply(index, {}); });
        editor = button;
    } else if (d.type == SANE_TYPE_BOOL) {
        auto* check = new QCheckBox;
        check->setChecked(value == QLatin1String("yes"));
        connect(check, &QCheckBox::clicked, this, [this, index](bool on) { Apply(index, on ? "yes" : "no"); });
        editor = check;
    } else if (!choices.isEmpty() && (d.type == SANE_TYPE_STRING || single)) {
        auto* combo = new QComboBox;
        combo->addItems(choices);
        combo->setCurrentIndex(std::max(0, int(choices.indexOf(value))));
        connect(combo, &QComboBox::activated, this, [this, index, combo] { Apply(index, combo->currentText()); });
        editor = combo;
    } else if (single && d.constraint_type == SANE_CONSTRAINT_RANGE && d.constraint.range && d.type == SANE_TYPE_INT) {
        auto* spin = new QSpinBox;
        spin->setRange(d.constraint.range->min, d.constraint.range->max);
        spin->setSingleStep(std::max(1, d.constraint.range->quant));
        spin->setValue(value.toInt());
        spin->setSuffix(QLatin1Char(' ') + SaneUnitText(d.unit));
        connect(spin, &QSpinBox::editingFinished, this, [this, index, spin, was = spin->value()] {
            if (spin->value() != was) Apply(index, QString::number(spin->value()));
        });
        editor = spin;
    } else if (single && d.constraint_type == SANE_CONSTRAINT_RANGE && d.constraint.range && d.type == SANE_TYPE_FIXED) {
        auto* spin = new QDoubleSpinBox;
        spin->setDecimals(2);
        spin->setRange(SANE_UNFIX(d.constraint.range->min), SANE_UNFIX(d.constraint.range->max));
        spin->setSingleStep(d.constraint.range->quant ? SANE_UNFIX(d.constraint.range->quant) : 1.0);
        spin->setValue(value.toDouble());
        spin->setSuffix(QLatin1Char(' ') + SaneUnitText(d.unit));
        connect(spin, &QDoubleSpinBox::editingFinished, this, [this, index, spin, was = spin->value()] {
            if (spin->value() != was) Apply(index, QString::number(spin->value()));
        });
        editor = spin;
    } else {
        auto* line = new QLineEdit(value);
        connect(line, &QLineEdit::editingFinished, this, [this, index, line] {
            if (line->isModified()) Apply(index, line->text());
        });
        editor = line;
    }
    editor->setEnabled(m_options.IsSettable(index));
    editor->setToolTip(Text(d.desc));
    editor->setObjectName(Text(d.name));
    return editor;
}

void SaneOptionsDialog::AddRow(QFormLayout* form, int index) {
    const SANE_Option_Descriptor& d = *m_options.Descriptor(index);
    QWidget* editor = Editor(index);
    if (d.type == SANE_TYPE_BUTTON)
        form->addRow(QString(), editor);
    else
        form->addRow(Text(d.title) + QLatin1Char(':'), editor);
}

void SaneOptionsDialog::Rebuild() {
    const int scrolled = m_scroll->verticalScrollBar()->value();
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* mainBox = new QGroupBox(QStringLiteral("Scan"));
    auto* mainForm = new QFormLayout(mainBox);
    for (const char* name : kMainOptions) {
        const int index = m_options.Find(QString::fromLatin1(name));
        if (m_options.IsActive(index)) AddRow(mainForm, index);
    }
    layout->addWidget(mainBox);
    QFormLayout* form = nullptr;
    QString group = QStringLiteral("Other");
    for (int i = 1; i < m_options.Count(); ++i) {
        const SANE_Option_Descriptor* d = m_options.Descriptor(i);
        if (!d) continue;
        if (d->type == SANE_TYPE_GROUP) {
            group = Text(d->title);
            form = nullptr;
            continue;
        }
        if (!SANE_OPTION_IS_ACTIVE(d->cap) || IsMain(*d)) continue;
        if (!form) {
            auto* box = new QGroupBox(group);
            form = new QFormLayout(box);
            layout->addWidget(box);
        }
        AddRow(form, i);
    }
    layout->addStretch();
    m_scroll->setWidget(page);  // deletes the former page
    m_scroll->verticalScrollBar()->setValue(scrolled);
}
