#pragma once

#include "capture/sane/ScanPageReader.h"
#include "capture/sane/TwainSession.h"

#include <QDialog>
#include <QStringList>

class CAppSettings;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class UiServices;

// "Scanner Photo: Multiple Twain scanner capture": scans one page or a feeder's stack, writes
// each picture as a file, lists the files and returns the ones chosen for cards. In single mode
// it scans at once and returns the first picture.
class ScannerDialog : public QDialog {
    Q_OBJECT

public:
    ScannerDialog(CAppSettings& settings, UiServices& ui, QWidget* parent, bool single);
    ~ScannerDialog() override;

    // The files chosen with Insert all or Insert selected, in list order.
    const QStringList& Result() const { return m_result; }
    // For tests and the options of the scan: the session behind the dialog.
    TwainSession& Session() { return m_session; }

    void Acquire();
    void InsertAll();
    void InsertSelected();
    void reject() override;

private:
    void OnPage(const ScannedPage& page);
    void OnFinished(int pages, const QString& error);
    void TwainError(const QString& why);
    void AddMessage(const QString& line);
    void UpdateButtons();
    void ShowPreview(const QImage& picture);
    void ShowCurrentFile();
    void EditProperties();
    QString FormatText() const;

    CAppSettings& m_settings;
    UiServices& m_ui;
    const bool m_single;
    TwainSession m_session;
    ScanPageReader m_reader;
    int m_stateBeforeAcquire = TwainSession::Unloaded;
    bool m_scanning = false;
    QStringList m_result;

    QPushButton* m_acquire;
    QPushButton* m_selectSource;
    QCheckBox* m_previewOn;
    QCheckBox* m_split;
    QListWidget* m_files;
    QListWidget* m_messages;
    QLabel* m_preview;
    QLineEdit* m_prefix;
    QLabel* m_format;
    QPushButton* m_properties;
    QPushButton* m_insertAll;
    QPushButton* m_insertSelected;
    QProgressBar* m_progress;
    QPushButton* m_stop;
};
