#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// What the capture devices offer "General Options": the video capture drivers with their own
// dialogs, and the scanner's source choice. Given none, the sheet says that no device is
// available.
class CaptureOptions {
public:
    enum class DriverDialog { Format, Source, Display, Configure };

    virtual ~CaptureOptions() = default;

    // The installed video capture drivers; empty when there is none.
    virtual QStringList VideoDrivers() const = 0;
    virtual QString CurrentVideoDriver() const = 0;
    virtual void SelectVideoDriver(const QString& driver) = 0;
    virtual void ShowDriverDialog(DriverDialog dialog, QWidget* parent) = 0;

    virtual bool HasScanner() const = 0;
    virtual void SelectScannerSource(QWidget* parent) = 0;
};
