#include "AlbumSummaryView.h"

#include "album/CAlboraDoc.h"
#include "platform/CTime.h"

#include <QLabel>
#include <QVBoxLayout>

AlbumSummaryView::AlbumSummaryView(QWidget* parent) : QWidget(parent), m_label(new QLabel) {
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_label->setMargin(16);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
}

QString AlbumSummaryView::Text() const { return m_label->text(); }

void AlbumSummaryView::OnUpdate(View*, int, void*) {
    const auto* doc = dynamic_cast<const CAlboraDoc*>(GetDocument());
    if (!doc) return;
    const CFotoObjList& album = doc->Db().List();
    QString text = QStringLiteral("Album: %1\n").arg(album.m_strName.isEmpty() ? doc->GetTitle() : album.m_strName);
    if (!album.m_strAuthor.isEmpty()) text += QStringLiteral("Author: %1\n").arg(album.m_strAuthor);
    text += QStringLiteral("Created: %1\n")
                .arg(CTime::CardDate(album.m_timeCreated).value_or(QStringLiteral("<Error>")));
    if (!album.m_strDirectory.isEmpty())
        text += QStringLiteral("Directory: %1\n").arg(album.m_strDirectory);
    text += QStringLiteral("Cards: %1").arg(doc->Db().GetCount());
    if (doc->Db().Found())
        text += QStringLiteral(" found, of %1 in the album").arg(doc->Db().List().GetCount());
    if (const CFotoObj* card = doc->CurrentCard())
        text += QStringLiteral("\n\nCurrent card %1: %2\n%3")
                    .arg(doc->m_nCurrent + 1)
                    .arg(card->m_strName, card->m_strGraphic);
    m_label->setText(text);
}
