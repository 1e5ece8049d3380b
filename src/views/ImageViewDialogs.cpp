#include "ImageViewDialogs.h"

#include "platform/widgets/FormDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace {

// A button that shows a colour and opens the colour chooser.
QPushButton* ColourButton(QRgb& colour, QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("&Colour..."), parent);
    const auto paint = [button](QRgb c) {
        button->setStyleSheet(QStringLiteral("background-color: %1").arg(QColor(c).name()));
    };
    paint(colour);
    QObject::connect(button, &QPushButton::clicked, button, [&colour, button, paint] {
        const QColor chosen = QColorDialog::getColor(QColor(colour), button);
        if (chosen.isValid()) paint(colour = chosen.rgb());
    });
    return button;
}

QSlider* Slider(int value, const char* name) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(0, 255);
    slider->setTickInterval(10);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setValue(value);
    return slider;
}

// SLIDER with its value written beside it.
QWidget* WithValue(QSlider* slider) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* value = new QLabel(QString::number(slider->value()));
    value->setObjectName(slider->objectName() + QStringLiteral("Value"));
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QObject::connect(slider, &QSlider::valueChanged, value, qOverload<int>(&QLabel::setNum));
    layout->addWidget(slider);
    layout->addWidget(value);
    return row;
}

// While LOCK is checked, a change of either box changes the other in the proportions of
// WIDTH x HEIGHT.
void KeepProportions(QSpinBox* width, QSpinBox* height, QCheckBox* lock) {
    const double ratio = double(width->value()) / std::max(1, height->value());
    const auto follow = [lock](QSpinBox* other, double size) {
        if (!lock->isChecked()) return;
        const QSignalBlocker quiet(other);
        other->setValue(std::max(1, int(std::lround(size))));
    };
    QObject::connect(width, &QSpinBox::valueChanged, lock, [=](int w) { follow(height, w / ratio); });
    QObject::connect(height, &QSpinBox::valueChanged, lock, [=](int h) { follow(width, h * ratio); });
}

}  // namespace

bool QtImageViewDialogs::AskSize(int& width, int& height, ImageTransforms::Filter& filter) {
    FormDialog dialog(m_parent, QStringLiteral("Change image size"));
    auto* w = new QSpinBox;
    auto* h = new QSpinBox;
    for (QSpinBox* box : {w, h}) box->setRange(1, 65535);
    w->setObjectName(QStringLiteral("width"));
    h->setObjectName(QStringLiteral("height"));
    w->setValue(width);
    h->setValue(height);
    auto* lock = new QCheckBox(QStringLiteral("&Keep proportions"));
    lock->setObjectName(QStringLiteral("keepProportions"));
    lock->setChecked(true);
    KeepProportions(w, h, lock);
    auto* filters = new QComboBox;
    for (const char* name : ImageTransforms::kFilterNames) filters->addItem(QString::fromLatin1(name));
    filters->setCurrentIndex(0);
    dialog.Form()->addRow(QStringLiteral("&Width:"), w);
    dialog.Form()->addRow(QStringLiteral("&Height:"), h);
    dialog.Form()->addRow(lock);
    dialog.Form()->addRow(QStringLiteral("&Filter:"), filters);
    auto* steps = new QGridLayout;
    const struct {
        const char* text;
        int multiply, divide;
    } kSteps[] = {{"1/4", 1, 4}, {"1/3", 1, 3}, {"1/2", 1, 2}, {"x2", 2, 1}, {"x3", 3, 1}, {"x4", 4, 1}};
    int column = 0;
    for (const auto& step : kSteps) {
        auto* button = new QPushButton(QString::fromLatin1(step.text));
        QObject::connect(button, &QPushButton::clicked, &dialog, [w, h, step] {
            w->setValue(w->value() * step.multiply / step.divide);
            h->setValue(h->value() * step.multiply / step.divide);
        });
        steps->addWidget(button, 0, column++);
    }
    dialog.Form()->addRow(steps);
    if (!dialog.Exec()) return false;
    width = w->value();
    height = h->value();
    filter = ImageTransforms::Filter(filters->currentIndex());
    return true;
}

bool QtImageViewDialogs::AskRotation(double& degrees, QRgb& background) {
    FormDialog dialog(m_parent, QStringLiteral("Rotate image"));
    auto* angle = new QDoubleSpinBox;
    angle->setRange(-360, 360);
    angle->setDecimals(2);
    angle->setSingleStep(1);
    angle->setValue(degrees);
    dialog.Form()->addRow(QStringLiteral("&Angle:"), angle);
    dialog.Form()->addRow(QStringLiteral("Background:"), ColourButton(background, &dialog));
    if (!dialog.Exec()) return false;
    degrees = angle->value();
    return true;
}

bool QtImageViewDialogs::AskTint(QRgb& colour, int& intensity) {
    FormDialog dialog(m_parent, QStringLiteral("Appy color"));
    QSlider* slider = Slider(intensity, "intensity");
    dialog.Form()->addRow(QStringLiteral("Colour:"), ColourButton(colour, &dialog));
    dialog.Form()->addRow(QStringLiteral("&Intensity:"), WithValue(slider));
    if (!dialog.Exec()) return false;
    intensity = slider->value();
    return true;
}

bool QtImageViewDialogs::AskBrightnessContrast(int& brightness, int& contrast, const Preview& preview) {
    FormDialog dialog(m_parent, QStringLiteral("Brigthness/Contrast"));
    QSlider* brightnessSlider = Slider(brightness, "brightness");
    QSlider* contrastSlider = Slider(contrast, "contrast");
    dialog.Form()->addRow(QStringLiteral("&Brightness:"), WithValue(brightnessSlider));
    dialog.Form()->addRow(QStringLiteral("C&ontrast:"), WithValue(contrastSlider));
    const auto show = [&] { preview(brightnessSlider->value(), contrastSlider->value()); };
    for (QSlider* slider : {brightnessSlider, contrastSlider}) QObject::connect(slider, &QSlider::valueChanged, &dialog, show);
    if (!dialog.Exec()) return false;
    brightness = brightnessSlider->value();
    contrast = contrastSlider->value();
    return true;
}
