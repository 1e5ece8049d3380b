#include "TextPage.h"

#include "ColorPopup.h"
#include "StandardDialogs.h"

#include "draw/DrawSheetTables.h"
#include "platform/CodePage1252.h"
#include "platform/FileFilter.h"
#include "platform/RegularFile.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringDecoder>

namespace {

const QString kTextFilter =
    QtFileFilter(QStringLiteral("Text *.TXT|*.txt|Documents *.DOC|*.doc|All *.*|*.*||"));
constexpr int kShadowLimit = 32767;

QSpinBox* SpinBox(const char* name, int low, int high, int value) {
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

// Text files from Windows are in its code page; anything that reads as UTF-8 is taken as such.
QString DecodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? CodePage1252::Decode(bytes) : text;
}

}  // namespace

TextPage::TextPage(const CDrawRect& object)
    : m_font(object.font),
      m_crlf(object.text.contains(QStringLiteral("\r\n"))),
      m_text(new QPlainTextEdit(QString(object.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")))),
      m_align(new QComboBox),
      m_fontName(new QLabel),
      m_textColor(new ColorButton(object.pen.color, CurrentDrawDefaults().lineColor)),
      m_angle(SpinBox("angle", -3600, 3600, DrawSheetTables::AngleDegrees(object.font))),
      m_transparent(new QCheckBox(QStringLiteral("Tra&nsparent"))),
      m_backColor(new ColorButton(object.brush.color, CurrentDrawDefaults().fillColor)),
      m_shadow(new QCheckBox(QStringLiteral("&Shadow"))),
      m_shadowColor(new ColorButton(object.shadowColor, Rgb(0, 0, 0))),
      m_shadowDx(SpinBox("shadowDx", -kShadowLimit, kShadowLimit, object.shadowDx)),
      m_shadowDy(SpinBox("shadowDy", -kShadowLimit, kShadowLimit, object.shadowDy)) {
    m_text->setObjectName(QStringLiteral("text"));
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_text->toPlainText();
        if (text.size() <= kTextLimit) return;
        m_text->setPlainText(text.left(kTextLimit));
        m_text->moveCursor(QTextCursor::End);
    });
    m_align->setObjectName(QStringLiteral("align"));
    m_align->addItems({QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
    m_align->setCurrentIndex(std::clamp(object.textAlign, 0, 2));
    m_textColor->setObjectName(QStringLiteral("textColor"));
    m_transparent->setObjectName(QStringLiteral("transparent"));
    m_transparent->setChecked(!object.brushOn);
    m_backColor->setObjectName(QStringLiteral("backColor"));
    m_shadow->setObjectName(QStringLiteral("shadow"));
    m_shadow->setChecked(object.shadowOn);
    m_shadowColor->setObjectName(QStringLiteral("shadowColor"));
    ShowFont();

    auto* import = new QPushButton(QStringLiteral("&Import..."));
    auto* exportButton = new QPushButton(QStringLiteral("&Export..."));
    auto* select = new QPushButton(QStringLiteral("&Select..."));
    connect(import, &QPushButton::clicked, this, &TextPage::ImportText);
    connect(exportButton, &QPushButton::clicked, this, &TextPage::ExportText);
    connect(select, &QPushButton::clicked, this, &TextPage::SelectFont);

    auto* files = new QHBoxLayout;
    files->addWidget(import);
    files->addWidget(exportButton);
    files->addStretch();
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(m_fontName, 1);
    fontRow->addWidget(select);
    auto* form = new QFormLayout(this);
    form->addRow(m_text);
    // Opening a text's sheet is to write it: typing goes into the text at once.
    setFocusProxy(m_text);
    form->addRow(QStringLiteral("&Align text:"), m_align);
    form->addRow(files);
    form->addRow(QStringLiteral("Font:"), fontRow);
    form->addRow(QStringLiteral("Text color:"), m_textColor);
    form->addRow(QStringLiteral("&Angle:"), m_angle);

    auto* background = new QHBoxLayout;
    background->addWidget(m_transparent);
    background->addWidget(m_backColor);
    background->addStretch();
    form->addRow(QStringLiteral("Background:"), background);
    auto* shadow = new QHBoxLayout;
    shadow->addWidget(m_shadow);
    shadow->addWidget(m_shadowColor);
    shadow->addWidget(new QLabel(QStringLiteral("X:")));
    shadow->addWidget(m_shadowDx);
    shadow->addWidget(new QLabel(QStringLiteral("Y:")));
    shadow->addWidget(m_shadowDy);
    form->addRow(shadow);
}

void TextPage::ShowFont() {
    m_fontName->setText(QStringLiteral("%1, %2 pt")
                            .arg(m_font.FaceName())
                            .arg(qRound(DrawSheetTables::ToPointSizedFont(m_font).pointSizeF())));
}

void TextPage::SelectFont() {
    if (const auto font = StandardDialogs::AskFont(this, m_font)) {
        m_font = *font;
        ShowFont();
    }
}

void TextPage::ImportText() {
    const auto path = StandardDialogs::AskFile(this, QFileDialog::AcceptOpen, QStringLiteral("Import text"),
                                               kTextFilter, {}, QStringLiteral("txt"));
    if (!path) return;
    QFile file;
    if (!OpenRegularFile(*path, file)) {
        QMessageBox::warning(this, kProgramCaption, kFileError);
        return;
    }
    // Four bytes a character at most: no more is read than the edit can hold.
    m_text->setPlainText(DecodeText(file.read(qint64(kTextLimit) * 4)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TextPage::ExportText() {
    const auto path = StandardDialogs::AskFile(this, QFileDialog::AcceptSave, QStringLiteral("Export text"),
                                               kTextFilter, QStringLiteral("nonombre.txt"), QStringLiteral("txt"));
    if (!path) return;
    QFile file(*path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(m_text->toPlainText().replace('\n', QStringLiteral("\r\n")).toUtf8()) < 0)
        QMessageBox::warning(this, kProgramCaption, kFileError);
}

void TextPage::Apply(CDrawObj& object) const {
    auto* rect = dynamic_cast<CDrawRect*>(&object);
    if (!rect) return;
    const QString text = m_text->toPlainText();
    rect->text = m_crlf ? QString(text).replace('\n', QStringLiteral("\r\n")) : text;
    rect->textAlign = m_align->currentIndex();
    rect->font = m_font;
    rect->font.escapement = DrawSheetTables::EscapementFor(m_angle->value(), m_font);
    rect->pen.color = m_textColor->Color();
    rect->brushOn = !m_transparent->isChecked();
    rect->brush.color = m_backColor->Color();
    rect->shadowOn = m_shadow->isChecked();
    rect->shadowColor = m_shadowColor->Color();
    rect->shadowDx = m_shadowDx->value();
    rect->shadowDy = m_shadowDy->value();
    CurrentDrawDefaults().font = rect->font;
}
