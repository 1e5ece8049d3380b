#include "PropertySheet.h"

#include "LineFillPage.h"
#include "StandardDialogs.h"
#include "TextPage.h"

#include "draw/DrawEdits.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kPictureFilter =
    QStringLiteral("Pictures (*.bmp *.dib *.gif *.jpg *.jpeg *.png *.svg *.emf *.wmf);;All files (*)");

// "Link": the picture file an image link shows.
class LinkPage : public SheetPage {
public:
    explicit LinkPage(const CDrawRect& object) : m_file(new QLineEdit(object.text)) {
        m_file->setObjectName(QStringLiteral("file"));
        auto* browse = new QPushButton(QStringLiteral("..."));
        browse->setFixedWidth(32);
        connect(browse, &QPushButton::clicked, this, [this] {
            if (const auto path = StandardDialogs::AskFile(this, QFileDialog::AcceptOpen, QStringLiteral("Link"),
                                                           kPictureFilter, m_file->text()))
                m_file->setText(*path);
        });
        auto* row = new QHBoxLayout;
        row->addWidget(m_file);
        row->addWidget(browse);
        auto* form = new QFormLayout(this);
        form->addRow(QStringLiteral("File:"), row);
    }
    void Apply(CDrawObj& object) const override {
        if (auto* rect = dynamic_cast<CDrawRect*>(&object)) rect->text = m_file->text();
    }

private:
    QLineEdit* m_file;
};

// "Basic": the object's name.
class BasicPage : public SheetPage {
public:
    explicit BasicPage(const CDrawObj& object) : m_name(new QLineEdit(object.name)) {
        m_name->setObjectName(QStringLiteral("name"));
        auto* form = new QFormLayout(this);
        form->addRow(QStringLiteral("&Name:"), m_name);
    }
    void Apply(CDrawObj& object) const override { object.name = m_name->text(); }

private:
    QLineEdit* m_name;
};

std::pair<SheetPage*, QString> KindPage(const CDrawObj& object) {
    if (const auto* rect = dynamic_cast<const CDrawRect*>(&object)) {
        if (rect->shape == CDrawRect::Link) return {new LinkPage(*rect), QStringLiteral("Link")};
        if (rect->shape == CDrawRect::Text) return {new TextPage(*rect), QStringLiteral("Text")};
    }
    return {new LineFillPage(object), QStringLiteral("Line and Fill")};
}

}  // namespace

bool EditObjectProperties(QWidget* parent, CDrawObj& object, DrawEdits& edits) {
    QDialog sheet(parent);
    sheet.setWindowTitle(QStringLiteral("Object Properties"));
    auto* tabs = new QTabWidget;
    const auto [kindPage, title] = KindPage(object);
    const std::vector<SheetPage*> pages{kindPage, new BasicPage(object)};
    tabs->addTab(kindPage, title);
    tabs->addTab(pages.back(), QStringLiteral("Basic"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &sheet, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &sheet, &QDialog::reject);
    auto* layout = new QVBoxLayout(&sheet);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    kindPage->setFocus();
    if (sheet.exec() != QDialog::Accepted) return false;
    for (SheetPage* page : pages) page->Confirm();
    edits.SetFields(&object, QStringLiteral("Properties"), [&](CDrawObj& o) {
        for (const SheetPage* page : pages) page->Apply(o);
    });
    return true;
}
