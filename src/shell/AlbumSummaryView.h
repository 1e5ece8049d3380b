#pragma once

#include "platform/Document.h"

#include <QWidget>

class QLabel;

// The album at a glance: its name, author, directory, card count and current card. It stands in
// the tab window until the album's own views join it.
class AlbumSummaryView : public QWidget, public View {
    Q_OBJECT

public:
    explicit AlbumSummaryView(QWidget* parent = nullptr);
    void OnUpdate(View* sender, int hint, void* object) override;
    QString Text() const;

private:
    QLabel* m_label;
};
