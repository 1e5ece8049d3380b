#include "VideoFormatDialog.h"

#include "capture/video/VideoModes.h"

#include <QComboBox>
#include <QFormLayout>

namespace {

// Fills BOX with the distinct values of MODES that KEEP accepts, selecting CURRENT when there.
template <class Value, class Text>
void Fill(QComboBox* box, const std::vector<VideoFormat>& modes, auto keep, Value (*value)(const VideoFormat&), Text text,
          const QVariant& current) {
    const QVariant previous = box->count() ? box->currentData() : current;
    box->clear();
    for (const VideoFormat& mode : modes) {
        if (!keep(mode)) continue;
        const QVariant v = QVariant::fromValue(value(mode));
        if (box->findData(v) < 0) box->addItem(text(mode), v);
    }
    box->setCurrentIndex(std::max(0, box->findData(previous)));
}

QString EncodingOf(const VideoFormat& m) { return m.encoding; }
QSize SizeOf(const VideoFormat& m) { return m.size; }
double RateOf(const VideoFormat& m) { return m.framesPerSecond; }

}  // namespace

VideoFormatDialog::VideoFormatDialog(std::vector<VideoFormat> modes, const VideoFormat& current, QWidget* parent)
    : FormDialog(parent, QStringLiteral("Video Format")),
      m_modes(std::move(modes)),
      m_encoding(new QComboBox),
      m_size(new QComboBox),
      m_rate(new QComboBox) {
    m_encoding->setObjectName(QStringLiteral("encoding"));
    m_size->setObjectName(QStringLiteral("size"));
    m_rate->setObjectName(QStringLiteral("rate"));
    Fill(m_encoding, m_modes, [](const VideoFormat&) { return true; }, &EncodingOf,
         [](const VideoFormat& m) { return EncodingName(m.encoding); }, current.encoding);
    m_size->addItem({}, current.size);
    m_rate->addItem({}, current.framesPerSecond);
    FillSizes();
    Form()->addRow(QStringLiteral("&Format:"), m_encoding);
    Form()->addRow(QStringLiteral("&Size:"), m_size);
    Form()->addRow(QStringLiteral("&Rate:"), m_rate);
    connect(m_encoding, &QComboBox::currentIndexChanged, this, &VideoFormatDialog::FillSizes);
    connect(m_size, &QComboBox::currentIndexChanged, this, &VideoFormatDialog::FillRates);
}

void VideoFormatDialog::FillSizes() {
    const QString encoding = m_encoding->currentData().toString();
    QSignalBlocker quiet(m_size);
    Fill(m_size, m_modes, [&](const VideoFormat& m) { return m.encoding == encoding; }, &SizeOf,
         [](const VideoFormat& m) { return QStringLiteral("%1 x %2").arg(m.size.width()).arg(m.size.height()); }, {});
    FillRates();
}

void VideoFormatDialog::FillRates() {
    const QString encoding = m_encoding->currentData().toString();
    const QSize size = m_size->currentData().toSize();
    Fill(m_rate, m_modes, [&](const VideoFormat& m) { return m.encoding == encoding && m.size == size; }, &RateOf,
         [](const VideoFormat& m) {
             return m.framesPerSecond > 0 ? QStringLiteral("%1 frames a second").arg(m.framesPerSecond)
                                          : QStringLiteral("The camera's own");
         },
         {});
}

VideoFormat VideoFormatDialog::Chosen() const {
    return {m_size->currentData().toSize(), m_rate->currentData().toDouble(), m_encoding->currentData().toString()};
}
