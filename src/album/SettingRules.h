#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What one setting accepts when the user types it, on the options sheet or to
// `albora-cli settings set`: a whole number in a range, one of a list of texts, or any text.
struct SettingRule {
    enum class Kind { Number, Choice, Text };

    QString key;
    Kind kind = Kind::Text;
    // How messages name the value: "JPEG quality".
    QString what;
    int minimum = 0;
    int maximum = 0;
    QStringList choices;

    // Nothing when TYPED is accepted, otherwise the message that refuses it.
    std::optional<QString> Check(const QString& typed) const;
};

namespace SettingRules {

// The rule of every setting the options sheet edits, in the sheet's order.
const std::vector<SettingRule>& All();
// The rule of KEY, or null when the options sheet does not edit KEY.
const SettingRule* Find(const QString& key);

// The "Save as:" formats of the two kinds of overlay hardware.
const QStringList& VideoBlasterFormats();
const QStringList& BravadoFormats();

// The description size limit in Kb. of the "Album" page; it is no setting (kept for the run).
const SettingRule& DescriptionLimit();

}  // namespace SettingRules
