#include "SaneOptions.h"

#include <sane/saneopts.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

QString NumberText(const SANE_Option_Descriptor& d, SANE_Word word) {
    return d.type == SANE_TYPE_FIXED ? QString::number(SANE_UNFIX(word)) : QString::number(word);
}

bool ParseWord(const SANE_Option_Descriptor& d, const QString& text, SANE_Word* word) {
    bool ok = false;
    if (d.type == SANE_TYPE_FIXED) {
        const double value = text.trimmed().toDouble(&ok);
        if (ok && (value < -32768.0 || value >= 32768.0)) ok = false;
        if (ok) *word = SANE_FIX(value);
    } else if (d.type == SANE_TYPE_BOOL) {
        const QString t = text.trimmed().toLower();
        ok = t == "yes" || t == "no" || t == "true" || t == "false" || t == "1" || t == "0";
        *word = (t == "yes" || t == "true" || t == "1") ? SANE_TRUE : SANE_FALSE;
    } else {
        *word = text.trimmed().toInt(&ok);
    }
    return ok;
}

}  // namespace

SaneOptions::SaneOptions(SANE_Handle handle) : m_handle(handle) { Reload(); }

void SaneOptions::Reload() {
    m_count = 0;
    if (!m_handle) return;
    // Option 0 holds the number of options.
    SANE_Int count = 0;
    const SANE_Option_Descriptor* first = sane_get_option_descriptor(m_handle, 0);
    if (first && first->type == SANE_TYPE_INT && first->size == sizeof(SANE_Word) &&
        sane_control_option(m_handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) == SANE_STATUS_GOOD)
        m_count = std::clamp(count, 0, 4096);
}

const SANE_Option_Descriptor* SaneOptions::Descriptor(int index) const {
    return index > 0 && index < m_count ? sane_get_option_descriptor(m_handle, index) : nullptr;
}

int SaneOptions::Find(const QString& name) const {
    for (int i = 1; i < m_count; ++i) {
        const SANE_Option_Descriptor* d = Descriptor(i);
        if (d && d->name && name == QLatin1String(d->name)) return i;
    }
    return -1;
}

bool SaneOptions::IsActive(int index) const {
    const SANE_Option_Descriptor* d = Descriptor(index);
    return d && SANE_OPTION_IS_ACTIVE(d->cap);
}

bool SaneOptions::IsSettable(int index) const {
    const SANE_Option_Descriptor* d = Descriptor(index);
    return d && SANE_OPTION_IS_ACTIVE(d->cap) && SANE_OPTION_IS_SETTABLE(d->cap);
}

QString SaneOptions::Value(int index) const {
    const SANE_Option_Descriptor* d = Descriptor(index);
    if (!d || !SANE_OPTION_IS_ACTIVE(d->cap) || d->size <= 0 || d->size > (1 << 20) ||
        d->type == SANE_TYPE_BUTTON || d->type == SANE_TYPE_GROUP)
        return {};
    std::vector<SANE_Word> buffer(std::size_t(d->size) / sizeof(SANE_Word) + 2, 0);
    if (sane_control_option(m_handle, index, SANE_ACTION_GET_VALUE, buffer.data(), nullptr) != SANE_STATUS_GOOD)
        return {};
    if (d->type == SANE_TYPE_STRING) {
        const char* text = reinterpret_cast<const char*>(buffer.data());
        return QString::fromUtf8(text, qstrnlen(text, std::size_t(d->size)));
    }
    if (d->type == SANE_TYPE_BOOL) return buffer[0] ? QStringLiteral("yes") : QStringLiteral("no");
    QStringList words;
    for (std::size_t i = 0; i < std::size_t(d->size) / sizeof(SANE_Word); ++i) words << NumberText(*d, buffer[i]);
    return words.join(QLatin1Char(','));
}

QStringList SaneOptions::Choices(int index) const {
    const SANE_Option_Descriptor* d = Descriptor(index);
    QStringList choices;
    if (!d) return choices;
    if (d->constraint_type == SANE_CONSTRAINT_STRING_LIST && d->constraint.string_list) {
        for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s) choices << QString::fromUtf8(*s);
    } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list) {
        const SANE_Int count = std::clamp(d->constraint.word_list[0], 0, 4096);
        for (SANE_Int i = 1; i <= count; ++i) choices << NumberText(*d, d->constraint.word_list[i]);
    }
    return choices;
}

bool SaneOptions::Set(int index, const QString& text, QString* error, bool* reloaded, QString* rounded) {
    const SANE_Option_Descriptor* d = Descriptor(index);
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    // A value refused is told with the values the option takes, when it lists them.
    auto refuse = [&](const QString& why) {
        const QStringList choices = Choices(index);
        return fail(choices.isEmpty() ? why : why + QStringLiteral(" It is one of: %1.").arg(choices.join(QStringLiteral(", "))));
    };
    if (!d) return fail(QStringLiteral("There is no such option."));
    const QString name = QString::fromUtf8(d->name ? d->name : "");
    if (!IsSettable(index)) return fail(QStringLiteral("The option %1 cannot be set now.").arg(name));
    if (d->size <= 0 || d->size > (1 << 20)) return fail(QStringLiteral("The option %1 is malformed.").arg(name));
    std::vector<SANE_Word> buffer(std::size_t(d->size) / sizeof(SANE_Word) + 2, 0);
    void* value = buffer.data();
    if (d->type == SANE_TYPE_BUTTON) {
        value = nullptr;
    } else if (d->type == SANE_TYPE_STRING) {
        const QByteArray bytes = text.toUtf8();
        if (bytes.size() >= d->size) return fail(QStringLiteral("The value is too long for %1.").arg(name));
        std::memcpy(buffer.data(), bytes.constData(), std::size_t(bytes.size()));
    } else if (d->type == SANE_TYPE_GROUP) {
        return fail(QStringLiteral("The option %1 is a group.").arg(name));
    } else {
        const QStringList parts = text.split(QLatin1Char(','));
        const std::size_t words = std::size_t(d->size) / sizeof(SANE_Word);
        // One value for an array sets every element.
        for (std::size_t i = 0; i < words; ++i)
            if (!ParseWord(*d, parts.size() == 1 ? parts[0] : parts.value(int(i)), &buffer[i]))
                return refuse(QStringLiteral("'%1' is not a value for %2.").arg(text, name));
    }
    SANE_Int info = 0;
    const SANE_Status status =
        sane_control_option(m_handle, index, SANE_ACTION_SET_VALUE,
                            value, &info);
    if (status != SANE_STATUS_GOOD) {
        const QString why = QStringLiteral("%1: %2").arg(name, QString::fromUtf8(sane_strstatus(status)));
        return status == SANE_STATUS_INVAL ? refuse(why) : fail(why);
    }
    const bool reload = info & SANE_INFO_RELOAD_OPTIONS;
    if (reload) Reload();
    if (reloaded) *reloaded = reload;
    if (rounded && (info & SANE_INFO_INEXACT))
        *rounded = QStringLiteral("rounded value of %1 from %2 to %3").arg(name, text, Value(Find(name)));
    return true;
}

bool SaneOptions::Set(const QString& name, const QString& text, QString* error, QString* rounded) {
    const int index = Find(name);
    if (index < 0) {
        if (error) *error = QStringLiteral("The scanner has no option %1.").arg(name);
        return false;
    }
    return Set(index, text, error, nullptr, rounded);
}

double SaneOptions::Resolution() const {
    const QString text = Value(Find(QLatin1String(SANE_NAME_SCAN_RESOLUTION)));
    return text.section(QLatin1Char(','), 0, 0).toDouble();
}

bool SaneOptions::FeedsPages() const {
    const QString source = Value(Find(QLatin1String(SANE_NAME_SCAN_SOURCE))).toLower();
    return source.contains(QLatin1String("feeder")) || source.contains(QLatin1String("adf")) ||
           source.contains(QLatin1String("duplex"));
}

QString SaneUnitText(SANE_Unit unit) {
    switch (unit) {
    case SANE_UNIT_PIXEL: return QStringLiteral("pixels");
    case SANE_UNIT_BIT: return QStringLiteral("bits");
    case SANE_UNIT_MM: return QStringLiteral("mm");
    case SANE_UNIT_DPI: return QStringLiteral("dpi");
    case SANE_UNIT_PERCENT: return QStringLiteral("%");
    case SANE_UNIT_MICROSECOND: return QStringLiteral("µs");
    default: return {};
    }
}
