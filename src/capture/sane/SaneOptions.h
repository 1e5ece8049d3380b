#pragma once

#include <QString>
#include <QStringList>
#include <sane/sane.h>

// The options of one open SANE device, read and set by name in their text form: numbers (fixed
// point ones as decimals, arrays comma separated), "yes"/"no", strings. Descriptors are re-read
// when a change asks for it, so the device's own rules (which options are active) hold.
class SaneOptions {
public:
    explicit SaneOptions(SANE_Handle handle = nullptr);

    void Reload();
    int Count() const { return m_count; }
    // Null for an index out of range.
    const SANE_Option_Descriptor* Descriptor(int index) const;
    int Find(const QString& name) const;
    bool IsActive(int index) const;
    bool IsSettable(int index) const;

    QString Value(int index) const;
    QString Value(const QString& name) const { return Value(Find(name)); }
    // The values a list constraint allows, as text; empty for other options.
    QStringList Choices(int index) const;
    // Sets the option from TEXT; false with ERROR when the text does not fit the option or the
    // device refuses (naming the values a list allows). RELOADED says the descriptors changed
    // (other options came or went); ROUNDED, when the device took another value than TEXT, says
    // which, as scanimage does.
    bool Set(int index, const QString& text, QString* error, bool* reloaded = nullptr, QString* rounded = nullptr);
    bool Set(const QString& name, const QString& text, QString* error, QString* rounded = nullptr);

    // The resolution in dpi, 0 when the device has none.
    double Resolution() const;
    // The source reads a stack of pages (a feeder), so another page may follow.
    bool FeedsPages() const;

private:
    SANE_Handle m_handle;
    int m_count = 0;
};

// SANE's value for numbers of unit UNIT: "mm", "dpi" and so on; empty when it has none.
QString SaneUnitText(SANE_Unit unit);
