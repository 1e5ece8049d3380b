#include "ColorPopup.h"

#include "StandardDialogs.h"

#include "draw/DrawSheetTables.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <functional>

namespace {

constexpr int kSwatch = 16;

QIcon Swatch(ColorRef color) {
    QPixmap pixmap(kSwatch, kSwatch);
    pixmap.fill(ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, kSwatch - 1, kSwatch - 1);
    return QIcon(pixmap);
}

}  // namespace

ColorPopup::ColorPopup(ColorRef initial, const Entries& entries, QWidget* parent)
    : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint) {
    auto* grid = new QGridLayout(this);
    grid->setSpacing(1);
    grid->setContentsMargins(3, 3, 3, 3);
    const int columns = DrawSheetTables::kColorsPerRow;
    const auto full = [&](const QString& text, int row, std::function<void()> take) {
        auto* button = new QPushButton(text);
        button->setFlat(true);
        grid->addWidget(AddEntry(button, row), row, 0, 1, columns);
        connect(button, &QPushButton::clicked, this, std::move(take));
    };

    int row = 0;
    if (entries.automatic) {
        full(QStringLiteral("Automatic"), row++, [this, color = *entries.automatic] {
            m_chosen = color;
            accept();
        });
    }
    QAbstractButton* marked = nullptr;
    for (std::size_t i = 0; i < DrawSheetTables::kNamedColors.size(); ++i) {
        const auto& [name, color] = DrawSheetTables::kNamedColors[i];
        auto* cell = new QToolButton;
        cell->setIcon(Swatch(color));
        cell->setToolTip(QString::fromUtf8(name));
        cell->setAutoRaise(true);
        cell->setCheckable(true);
        cell->setChecked(color == initial);
        if (color == initial && !marked) marked = cell;
        const int cellRow = row + int(i) / columns;
        grid->addWidget(AddEntry(cell, cellRow), cellRow, int(i) % columns);
        connect(cell, &QToolButton::clicked, this, [this, color] {
            m_chosen = color;
            accept();
        });
    }
    row += int(DrawSheetTables::kNamedColors.size()) / columns;
    full(entries.more, row, [this] {
        m_more = true;
        accept();
    });
    (marked ? marked : m_rows.front().front())->setFocus();
}

QAbstractButton* ColorPopup::AddEntry(QAbstractButton* button, int row) {
    if (int(m_rows.size()) <= row) m_rows.resize(std::size_t(row) + 1);
    m_rows[std::size_t(row)].push_back(button);
    button->setFocusPolicy(Qt::StrongFocus);
    button->installEventFilter(this);
    return button;
}

bool ColorPopup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    switch (const int key = static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down: MoveFocus(key); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (auto* button = qobject_cast<QAbstractButton*>(watched)) button->click();
            return true;
        default: return QDialog::eventFilter(watched, event);
    }
}

void ColorPopup::MoveFocus(int key) {
    std::vector<QAbstractButton*> order;
    std::size_t row = 0, column = 0;
    for (std::size_t r = 0; r < m_rows.size(); ++r)
        for (std::size_t c = 0; c < m_rows[r].size(); ++c) {
            if (m_rows[r][c]->hasFocus()) row = r, column = c;
            order.push_back(m_rows[r][c]);
        }
    QAbstractButton* target = nullptr;
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        if (key == Qt::Key_Up && row == 0) return;
        if (key == Qt::Key_Down && row + 1 == m_rows.size()) return;
        const auto& next = m_rows[key == Qt::Key_Up ? row - 1 : row + 1];
        target = next[std::min(column, next.size() - 1)];
    } else {
        const auto at = std::find(order.begin(), order.end(), m_rows[row][column]);
        if (key == Qt::Key_Left && at != order.begin()) target = *(at - 1);
        if (key == Qt::Key_Right && at + 1 != order.end()) target = *(at + 1);
    }
    if (target) target->setFocus();
}

std::optional<ColorRef> ColorPopup::Pick(QWidget* parent, QPoint at, ColorRef initial, const Entries& entries) {
    ColorPopup popup(initial, entries, parent);
    popup.adjustSize();
    if (const QScreen* screen = QGuiApplication::screenAt(at)) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - popup.width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - popup.height())));
    }
    popup.move(at);
    if (popup.exec() != QDialog::Accepted) return std::nullopt;
    // The chooser opens once the popup is gone, so that it does not take the popup's grab.
    if (popup.m_more) return StandardDialogs::AskColor(parent, initial);
    return popup.m_chosen;
}

ColorButton::ColorButton(ColorRef color, ColorRef automatic, QWidget* parent)
    : QPushButton(QStringLiteral("Color..."), parent), m_color(color), m_automatic(automatic) {
    SetColor(color);
    connect(this, &QPushButton::clicked, this, [this] {
        const auto chosen = ColorPopup::Pick(this, mapToGlobal(rect().bottomLeft()), m_color,
                                             {m_automatic, QStringLiteral("More Colours...")});
        if (chosen) SetColor(*chosen);
    });
}

void ColorButton::SetColor(ColorRef color) {
    m_color = color;
    setIcon(Swatch(color));
}
