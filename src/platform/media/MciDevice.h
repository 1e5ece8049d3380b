#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// A device type that another library plugs into the MCI interpreter (the video overlay): one
// object per open alias, told every command sent to that alias.
class MciDevice {
public:
    virtual ~MciDevice() = default;

    // Runs VERB ("window", "put", "save", lower case) with the words that follow the alias.
    // Returns 0 or an MCI error (MciInterpreter::Error); REASON may say more than the error's
    // own text.
    virtual int Command(const QString& verb, const QStringList& words, QString& reason) = 0;
};

// Opens a device of the registered type. OPTIONS are the open command's words besides the
// device, its type and its alias ("shareable"). Null with ERROR (and perhaps REASON) set when the
// device cannot be opened.
using MciDeviceFactory =
    std::function<std::unique_ptr<MciDevice>(const QStringList& options, int& error, QString& reason)>;
