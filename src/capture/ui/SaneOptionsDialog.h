#pragma once

#include <QDialog>

class QFormLayout;
class QScrollArea;
class QWidget;
class SaneOptions;
class UiServices;

// The scanner's own dialog before a scan, made from its option descriptors: the usual ones first
// (mode, resolution, source, depth, scan area), then every other active option under its group,
// each by its type. The device's answers are shown at once: a changed value, other options that
// come or go. "Scan" accepts.
class SaneOptionsDialog : public QDialog {
    Q_OBJECT

public:
    SaneOptionsDialog(SaneOptions& options, const QString& scanner, UiServices& ui, QWidget* parent);

private:
    void Rebuild();
    void Apply(int index, const QString& text);
    QWidget* Editor(int index);
    void AddRow(QFormLayout* form, int index);

    SaneOptions& m_options;
    UiServices& m_ui;
    QScrollArea* m_scroll;
    bool m_rebuildQueued = false;
};
