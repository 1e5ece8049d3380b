#include "MpegEncoderDialog.h"

#include "platform/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <climits>

namespace {

QSpinBox* Spin(int low, int high, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(low, high);
    return spin;
}

QWidget* Row(std::initializer_list<QWidget*> widgets, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets) layout->addWidget(widget);
    layout->addStretch();
    return row;
}

}  // namespace

MpegEncoderDialog::MpegEncoderDialog(UiServices& ui, QWidget* parent) : QDialog(parent), m_ui(ui) {
    setWindowTitle(QStringLiteral("Make MPEG Movie from AVI file"));
    auto* page = new QVBoxLayout(this);
    BuildFiles(page);
    BuildStreams(page);
    BuildMore(page);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* begin = buttons->addButton(QStringLiteral("&Begin..."), QDialogButtonBox::ActionRole);
    QPushButton* defaults = buttons->addButton(QStringLiteral("&Default values"), QDialogButtonBox::ResetRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    begin->setDefault(true);
    connect(begin, &QPushButton::clicked, this, [this] { Begin(); });
    connect(defaults, &QPushButton::clicked, this, [this] { SetOptions(MpegEncoderOptions::Defaults()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    page->addWidget(buttons);
    SetOptions(MpegEncoderOptions());
}

// Encoders still running go on by themselves; the dialog no longer hears of them.
MpegEncoderDialog::~MpegEncoderDialog() {
    for (QProcess* encoder : findChildren<QProcess*>()) {
        encoder->disconnect(this);
        encoder->setParent(nullptr);
        connect(encoder, &QProcess::finished, encoder, &QObject::deleteLater);
    }
}

void MpegEncoderDialog::BuildFiles(QBoxLayout* page) {
    auto* group = new QGroupBox(QStringLiteral("Files"), this);
    auto* form = new QFormLayout(group);
    m_input = new QLineEdit(group);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), group);
    connect(browse, &QPushButton::clicked, this, &MpegEncoderDialog::Browse);
    form->addRow(QStringLiteral("AVI Input:"), Row({m_input, browse}, group));
    m_ignoreErrors = new QCheckBox(QStringLiteral(" Ignore AVI errors"), group);
    form->addRow(QString(), m_ignoreErrors);
    m_output = new QLineEdit(group);
    form->addRow(QStringLiteral("MPEG Output:"), m_output);
    page->addWidget(group);
}

void MpegEncoderDialog::BuildStreams(QBoxLayout* page) {
    auto* video = new QGroupBox(QStringLiteral("Video stream"), this);
    auto* videoForm = new QFormLayout(video);
    m_videoOnly = new QCheckBox(QStringLiteral(" Make video-only MPEG (no audio)"), video);
    m_forceRate = new QCheckBox(QStringLiteral(" Force frame rate:"), video);
    m_rate = new QComboBox(video);
    for (const char* rate : kFrameRates) m_rate->addItem(QString::fromLatin1(rate));
    m_crop = new QCheckBox(QStringLiteral(" Crop video to:"), video);
    m_cropWidth = Spin(0, 5000, video);
    m_cropHeight = Spin(0, 5000, video);
    videoForm->addRow(m_videoOnly);
    videoForm->addRow(Row({m_forceRate, m_rate}, video));
    videoForm->addRow(Row({m_crop, new QLabel(QStringLiteral("Width:"), video), m_cropWidth,
                           new QLabel(QStringLiteral("Height:"), video), m_cropHeight},
                          video));
    page->addWidget(video);

    auto* audio = new QGroupBox(QStringLiteral("Audio stream"), this);
    auto* audioForm = new QFormLayout(audio);
    m_layer = new QComboBox(audio);
    m_layer->addItems({QStringLiteral("Layer I"), QStringLiteral("Layer II")});
    m_bitrate = new QComboBox(audio);
    m_jointStereo = new QCheckBox(QStringLiteral(" Joint-stereo encoding"), audio);
    audioForm->addRow(QStringLiteral("Method:"), m_layer);
    audioForm->addRow(QStringLiteral("Bitrate:"), Row({m_bitrate, new QLabel(QStringLiteral("kbits/s"), audio)}, audio));
    audioForm->addRow(m_jointStereo);
    page->addWidget(audio);

    auto* system = new QGroupBox(QStringLiteral("System stream"), this);
    auto* systemForm = new QFormLayout(system);
    // The range is checked on "&Begin...", as any value may be typed.
    m_systemBitrate = Spin(INT_MIN / 8, INT_MAX / 8, system);
    m_systemByteRate = Spin(INT_MIN / 8, INT_MAX / 8, system);
    m_videoCd = new QCheckBox(QStringLiteral(" Create an MPEG file for VIDEO-CD"), system);
    systemForm->addRow(QStringLiteral("Bitrate:"),
                       Row({m_systemBitrate, new QLabel(QStringLiteral("kbits/s"), system), m_systemByteRate,
                            new QLabel(QStringLiteral("kbytes/s"), system)},
                           system));
    systemForm->addRow(m_videoCd);
    page->addWidget(system);

    connect(m_layer, &QComboBox::activated, this, [this](int layer) {
        FillBitrates(layer);
        m_bitrate->setCurrentIndex(5);
    });
    connect(m_systemBitrate, &QSpinBox::valueChanged, this, [this](int kbits) {
        const QSignalBlocker quiet(m_systemByteRate);
        m_systemByteRate->setValue(kbits / 8);
    });
    connect(m_systemByteRate, &QSpinBox::valueChanged, this, [this](int kbytes) {
        const QSignalBlocker quiet(m_systemBitrate);
        m_systemBitrate->setValue(kbytes * 8);
    });
    connect(m_videoOnly, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked) m_forceRate->setChecked(false);
        ApplyEnableRules();
    });
    for (QCheckBox* box : {m_forceRate, m_crop, m_videoCd}) connect(box, &QCheckBox::clicked, this, &MpegEncoderDialog::ApplyEnableRules);
}

void MpegEncoderDialog::BuildMore(QBoxLayout* page) {
    auto* group = new QGroupBox(QStringLiteral("More:"), this);
    auto* form = new QFormLayout(group);
    m_vbv = Spin(0, 1000, group);
    m_motion = Spin(0, 4, group);
    m_useParameters = new QCheckBox(QStringLiteral(" Parameter file:"), group);
    m_parameters = new QLineEdit(group);
    m_browseParameters = new QPushButton(QStringLiteral("Browse..."), group);
    form->addRow(QStringLiteral("Vbv buffer size:"), m_vbv);
    form->addRow(QStringLiteral("Motion search magnitude:"), m_motion);
    form->addRow(Row({m_useParameters, m_parameters, m_browseParameters}, group));
    connect(m_useParameters, &QCheckBox::clicked, this, &MpegEncoderDialog::ApplyEnableRules);
    connect(m_browseParameters, &QPushButton::clicked, this, &MpegEncoderDialog::BrowseParameters);
    page->addWidget(group);
}

void MpegEncoderDialog::FillBitrates(int layer) {
    m_bitrate->clear();
    for (int rate : kAudioBitrates[std::clamp(layer, 0, 1)]) m_bitrate->addItem(QString::number(rate));
}

void MpegEncoderDialog::ApplyEnableRules() {
    const bool cd = m_videoCd->isChecked(), videoOnly = m_videoOnly->isChecked();
    m_videoOnly->setEnabled(!cd);
    m_forceRate->setEnabled(!cd && videoOnly);
    m_rate->setEnabled(!cd && videoOnly && m_forceRate->isChecked());
    m_crop->setEnabled(!cd);
    m_cropWidth->setEnabled(!cd && m_crop->isChecked());
    m_cropHeight->setEnabled(!cd && m_crop->isChecked());
    for (QWidget* audio : std::initializer_list<QWidget*>{m_layer, m_bitrate}) audio->setEnabled(!cd && !videoOnly);
    m_jointStereo->setEnabled(!cd && !videoOnly);
    m_systemBitrate->setEnabled(!cd);
    m_systemByteRate->setEnabled(!cd);
    m_vbv->setEnabled(!cd);
    m_parameters->setEnabled(m_useParameters->isChecked());
    m_browseParameters->setEnabled(m_useParameters->isChecked());
}

MpegEncoderOptions MpegEncoderDialog::Options() const {
    MpegEncoderOptions o;
    o.inputPath = m_input->text();
    o.ignoreAviErrors = m_ignoreErrors->isChecked();
    o.outputPath = m_output->text();
    o.videoOnly = m_videoOnly->isChecked();
    o.forceFrameRate = m_forceRate->isChecked();
    o.frameRateIndex = m_rate->currentIndex();
    o.crop = m_crop->isChecked();
    o.cropWidth = m_cropWidth->value();
    o.cropHeight = m_cropHeight->value();
    o.audioLayerIndex = m_layer->currentIndex();
    o.audioBitrateIndex = m_bitrate->currentIndex();
    o.jointStereo = m_jointStereo->isChecked();
    o.systemBitrate = m_systemBitrate->value();
    o.systemByteRate = m_systemByteRate->value();
    o.videoCd = m_videoCd->isChecked();
    o.vbvBufferSize = m_vbv->value();
    o.motionSearch = m_motion->value();
    o.useParameterFile = m_useParameters->isChecked();
    o.parameterFile = m_parameters->text();
    return o;
}

void MpegEncoderDialog::SetOptions(const MpegEncoderOptions& o) {
    m_input->setText(o.inputPath);
    m_ignoreErrors->setChecked(o.ignoreAviErrors);
    m_output->setText(o.outputPath);
    m_videoOnly->setChecked(o.videoOnly);
    m_forceRate->setChecked(o.forceFrameRate);
    m_rate->setCurrentIndex(o.frameRateIndex);
    m_crop->setChecked(o.crop);
    m_cropWidth->setValue(o.cropWidth);
    m_cropHeight->setValue(o.cropHeight);
    m_layer->setCurrentIndex(o.audioLayerIndex);
    FillBitrates(o.audioLayerIndex);
    m_bitrate->setCurrentIndex(o.audioBitrateIndex);
    m_jointStereo->setChecked(o.jointStereo);
    {
        const QSignalBlocker quiet(m_systemBitrate), quietToo(m_systemByteRate);
        m_systemBitrate->setValue(o.systemBitrate);
        m_systemByteRate->setValue(o.systemByteRate);
    }
    m_videoCd->setChecked(o.videoCd);
    m_vbv->setValue(o.vbvBufferSize);
    m_motion->setValue(o.motionSearch);
    m_useParameters->setChecked(o.useParameterFile);
    m_parameters->setText(o.parameterFile);
    ApplyEnableRules();
}

void MpegEncoderDialog::Browse() {
    const std::optional<QString> file = m_ui.ChooseFile(FileDialogKind::Open, QStringLiteral("AVI Input"),
                                                        QStringLiteral("AVI files (*.avi);;All files (*)"), m_input->text());
    if (!file) return;
    m_input->setText(*file);
    m_output->setText(MpegOutputFor(*file));
}

void MpegEncoderDialog::BrowseParameters() {
    const std::optional<QString> file = m_ui.ChooseFile(FileDialogKind::Open, QStringLiteral("Parameter file"),
                                                        QStringLiteral("Parameters (*.par);;All files (*)"), m_parameters->text());
    if (file) m_parameters->setText(*file);
}

bool MpegEncoderDialog::Begin() {
    MpegEncoderOptions options = Options();
    if (const auto problem = MpegOptionsProblem(options, protectedFiles ? protectedFiles() : OutputGuard())) {
        m_ui.MessageBox(*problem, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    m_output->setText(options.outputPath);
    const QString program = AvimpgProgram();
    auto* encoder = new QProcess(this);
    encoder->setProcessChannelMode(QProcess::SeparateChannels);
    const QString output = options.outputPath;
    connect(encoder, &QProcess::finished, this, [this, encoder, output] { Finished(encoder, output); });
    encoder->start(program, AvimpgArguments(options));
    if (!encoder->waitForStarted()) {
        m_ui.MessageBox(AvimpgStartFailure(program, encoder->error()), MsgButtons::Ok, MsgIcon::Stop);
        delete encoder;
        return false;
    }
    m_ui.SetStatusText(0, QStringLiteral("Encoding %1...").arg(output));
    return true;
}

void MpegEncoderDialog::Finished(QProcess* encoder, const QString& output) {
    encoder->deleteLater();
    const bool ok = encoder->exitStatus() == QProcess::NormalExit && encoder->exitCode() == 0;
    if (ok) {
        m_ui.SetStatusText(0, QStringLiteral("MPEG movie created: ") + output);
    } else {
        const QStringList said = QString::fromLocal8Bit(encoder->readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        m_ui.MessageBox(QStringLiteral("Error:\nThe MPEG movie was not made:\n") +
                            (said.isEmpty() ? QStringLiteral("avimpg stopped") : said.last()),
                        MsgButtons::Ok, MsgIcon::Exclamation);
    }
    Q_EMIT encodingFinished(ok);
}
