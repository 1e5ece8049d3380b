#include "ImageViewDialogs.h"

#include "platform/widgets/FormDialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

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

QSlider* Slider(int value) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, 255);
    slider->setTickInterval(10);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setValue(value);
    return slider;
}

}  // namespace

bool QtImageViewDialogs::AskSize(int& width, int& height, ImageTransforms::Filter& filter) {
    FormDialog dialog(m_parent, QStringLiteral("Change image size"));
    auto* w = new QSpinBox;
    auto* h = new QSpinBox;
    for (QSpinBox* box : {w, h}) box->setRange(1, 65535);
    w->setValue(width);
    h->setValue(height);
    auto* filters = new QComboBox;
    for (const char* name : ImageTransforms::kFilterNames) filters->addItem(QString::fromLatin1(name));
    filters->setCurrentIndex(0);
    dialog.Form()->addRow(QStringLiteral("&Width:"), w);
    dialog.Form()->addRow(QStringLiteral("&Height:"), h);
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
    QSlider* slider = Slider(intensity);
    dialog.Form()->addRow(QStringLiteral("Colour:"), ColourButton(colour, &dialog));
    dialog.Form()->addRow(QStringLiteral("&Intensity:"), slider);
    if (!dialog.Exec()) return false;
    intensity = slider->value();
    return true;
}

bool QtImageViewDialogs::AskBrightness(int& value) {
    FormDialog dialog(m_parent, QStringLiteral("Brigthness/Contrast"));
    QSlider* slider = Slider(value);
    dialog.Form()->addRow(QStringLiteral("&Brightness:"), slider);
    if (!dialog.Exec()) return false;
    value = slider->value();
    return true;
}
