#include "PhotoCardDialog.h"

#include "album/editing/CardDialogs.h"
#include "image/CImageObject.h"
#include "platform/CTime.h"
#include "platform/RegularFile.h"
#include "platform/UiServices.h"
#include "sound/SoundAnnotations.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace {
const QString kTextFilter = QStringLiteral("Text (*.txt);;Docs (*.doc);;All files (*)");
constexpr int kPreviewSize = 160;
}  // namespace

bool PhotoCardDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_description && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
        m_description->selectAll();
    return QDialog::eventFilter(watched, event);
}

PhotoCardDialog::PhotoCardDialog(const CFotoObj& card, UiServices& ui, SoundAnnotations& sound, FileLookup findFile,
                                 std::function<void()> onView, QWidget* parent)
    : QDialog(parent),
      m_card(card),
      m_findFile(std::move(findFile)),
      m_ui(ui),
      m_sound(sound),
      m_name(new QLineEdit(card.m_strName)),
      m_description(new QPlainTextEdit(QString(card.m_strDescription).replace("\r\n", "\n"))),
      m_object(new QLineEdit(card.m_strGraphic)),
      m_preview(new QLabel),
      m_view(new QPushButton(QStringLiteral("&View"))) {
    setWindowTitle(QStringLiteral("Photo Card"));
    m_name->setMaxLength(kNameLimit);
    m_object->setMaxLength(kObjectLimit);
    connect(m_description, &QPlainTextEdit::textChanged, this, [this] {
        // The description keeps to its limit as it is typed or imported.
        const QString text = m_description->toPlainText();
        if (text.size() <= kDescriptionLimit) return;
        m_description->setPlainText(text.left(kDescriptionLimit));
        m_description->moveCursor(QTextCursor::End);
    });
    // The name comes first with its whole text selected, and so does the description when it
    // gets the focus, so that typing replaces a default such as "No description".
    m_name->selectAll();
    m_name->setFocus();
    m_description->installEventFilter(this);
    m_preview->setFixedSize(kPreviewSize, kPreviewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);

    auto* choose = new QPushButton(QStringLiteral("..."));
    choose->setFixedWidth(32);
    auto* objectRow = new QHBoxLayout;
    objectRow->addWidget(m_object);
    objectRow->addWidget(choose);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("&Description:"), m_description);
    form->addRow(QStringLiteral("Object:"), objectRow);
    form->addRow(QStringLiteral("Last &modification:"),
                 new QLabel(CTime::CardDate(card.m_time).value_or(QStringLiteral("<Error>"))));

    auto* import = new QPushButton(QStringLiteral("&Import..."));
    auto* exportButton = new QPushButton(QStringLiteral("E&xport..."));
    auto* play = new QPushButton(QStringLiteral("&Play sound"));
    auto* record = new QPushButton(QStringLiteral("&Rec sound..."));
    auto* side = new QGridLayout;
    side->addWidget(new QLabel(QStringLiteral("Objects:")), 0, 0, 1, 2);
    side->addWidget(m_preview, 1, 0, 1, 2);
    side->addWidget(m_view, 2, 0, 1, 2);
    side->addWidget(import, 3, 0);
    side->addWidget(exportButton, 3, 1);
    side->addWidget(play, 4, 0);
    side->addWidget(record, 4, 1);
    m_view->setEnabled(!card.m_strGraphic.isEmpty());

    connect(choose, &QPushButton::clicked, this, &PhotoCardDialog::ChooseObject);
    connect(import, &QPushButton::clicked, this, &PhotoCardDialog::ImportDescription);
    connect(exportButton, &QPushButton::clicked, this, &PhotoCardDialog::ExportDescription);
    connect(play, &QPushButton::clicked, this, [this] { m_sound.PlaySound(m_findFile(m_object->text())); });
    connect(record, &QPushButton::clicked, this, [this] { m_sound.RecordSound(m_findFile(m_object->text())); });
    connect(m_view, &QPushButton::clicked, this, [onView] {
        if (onView) onView();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    UpdatePreview();
}

void PhotoCardDialog::UpdatePreview() {
    const CImageObject image(m_findFile(m_object->text()));
    if (!image.IsValid()) {
        m_preview->setText(m_object->text().isEmpty() ? QString() : QStringLiteral("(no preview)"));
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(image.MakeBitmap().scaled(
        kPreviewSize - 4, kPreviewSize - 4, Qt::KeepAspectRatio, Qt::FastTransformation)));
}

void PhotoCardDialog::ChooseObject() {
    if (!m_object->text().isEmpty() &&
        m_ui.MessageBox(QStringLiteral("Warning!:\nOne image is on the card\nIf is a sound added must be lost!\n\n"
                                       "Are you sure?\r") + m_object->text(),
                        MsgButtons::YesNo, MsgIcon::Exclamation) != MsgAnswer::Yes)
        return;
    const auto file = m_ui.ChooseFile(
        FileDialogKind::Open, QStringLiteral("Assign new object"),
        QStringLiteral("Images (*.bmp *.dib *.gif *.jpg *.jpeg *.png);;Bitmaps (*.bmp);;DIBs (*.dib);;"
                       "Video (*.avi);;Metafiles (*.wmf);;Compuserve (*.gif);;JPEG (*.jpg);;Png (*.png);;All (*)"),
        {});
    if (!file) return;
    m_object->setText(*file);
    m_view->setEnabled(false);
    UpdatePreview();
}

void PhotoCardDialog::ImportDescription() {
    const auto path = m_ui.ChooseFile(FileDialogKind::Open, QStringLiteral("Import description: ASCII Text"),
                                      kTextFilter, QStringLiteral("*.txt"));
    if (!path) return;
    QFile file;
    if (!OpenRegularFile(*path, file)) {
        m_ui.MessageBox(QStringLiteral("Fatal Error:\nIn file!"), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    // An import adds to the description; a selection left by tabbing in is not replaced by it.
    QTextCursor cursor = m_description->textCursor();
    cursor.setPosition(cursor.selectionEnd());
    cursor.insertText(QString::fromLocal8Bit(file.read(kImportLimit)).replace("\r\n", "\n"));
}

void PhotoCardDialog::ExportDescription() {
    const auto path = m_ui.ChooseFile(FileDialogKind::Save, QStringLiteral("Export descrption: ASCII Text"),
                                      kTextFilter, QStringLiteral("noname.txt"));
    if (!path) return;
    QFile file(*path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_ui.MessageBox(QStringLiteral("Fatal Error:\nIn file!"), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    file.write(m_description->toPlainText().replace('\n', QStringLiteral("\r\n")).toLocal8Bit());
}

CFotoObj PhotoCardDialog::Result() const {
    CFotoObj card(m_card);
    ApplyPhotoCardFields(card, m_name->text(), m_description->toPlainText().replace('\n', QStringLiteral("\r\n")),
                         m_object->text());
    return card;
}
