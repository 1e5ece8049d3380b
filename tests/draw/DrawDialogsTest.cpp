#include "DialogAnswers.h"
#include "TestFiles.h"
#include "draw/DrawEdits.h"
#include "draw/ui/QtDrawDialogs.h"
#include "draw/ui/TextPage.h"
#include "platform/CodePage1252.h"
#include "platform/HeadlessUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

template <class T>
T* Child(QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(child) << name;
    return child;
}

QAbstractButton* ButtonWithText(QWidget* window, const QString& text) {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->text() == text || button->toolTip() == text) return button;
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

QByteArray Stored(const CDrawObj& object) {
    QByteArray bytes;
    ArchiveWriter ar(bytes);
    object.Store(ar);
    return bytes;
}

class DrawDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    std::shared_ptr<CDrawRect> Rect(int shape) {
        auto rect = std::make_shared<CDrawRect>(PageRect{10, 200, 110, 100});
        rect->shape = shape;
        page.Add(rect);
        page.saved = 1;
        return rect;
    }
    // Undo gives back the object as it was and the page as saved.
    void ExpectOneUndoableStep(const CDrawObj& object, const QByteArray& before) {
        EXPECT_EQ(stack.count(), 1);
        EXPECT_EQ(page.saved, 0);
        EXPECT_NE(Stored(object), before);
        stack.undo();
        EXPECT_EQ(Stored(object), before);
    }

    DrawPage page;
    QUndoStack stack;
    HeadlessUi ui;
    DrawEdits edits{page, stack, ui};
    QtDrawDialogs dialogs{nullptr};
};

TEST_F(DrawDialogsTest, LineAndFillStoresEveryFieldAsOneStep) {
    const auto rect = Rect(CDrawRect::Rectangle);
    rect->pen = {PenStyle::Dash, 3, 3, Rgb(0, 0, 0)};
    rect->brush = {BrushStyle::Hatched, Rgb(9, 9, 9), 4};
    const QByteArray before = Stored(*rect);
    OnNext([](QDialog* sheet) {
        EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Object Properties"));
        auto* tabs = sheet->findChild<QTabWidget*>();
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("Line and Fill"));
        EXPECT_EQ(tabs->tabText(1), QStringLiteral("Basic"));
        EXPECT_EQ(Child<QSpinBox>(sheet, "lineWidth")->value(), 3);
        auto* style = Child<QComboBox>(sheet, "lineStyle");
        EXPECT_EQ(style->currentText(), QStringLiteral("Rayas"));
        EXPECT_EQ(style->itemText(3), QStringLiteral("Ralyas y puntos"));
        EXPECT_EQ(Child<QComboBox>(sheet, "fillType")->currentIndex(), 2);

        Child<QSpinBox>(sheet, "lineWidth")->setValue(5);
        style->setCurrentIndex(0);
        Child<QComboBox>(sheet, "fillType")->setCurrentIndex(6);
        Child<QCheckBox>(sheet, "transparent")->setChecked(true);
        Child<QLineEdit>(sheet, "name")->setText(QStringLiteral("Box"));
        OnNext([](QDialog* popup) {
            EXPECT_TRUE(ButtonWithText(popup, QStringLiteral("Automatic")));
            EXPECT_TRUE(ButtonWithText(popup, QStringLiteral("More Colours...")));
            ButtonWithText(popup, QStringLiteral("Red"))->click();
        });
        Child<QPushButton>(sheet, "lineColor")->click();
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(dialogs.EditProperties(*rect, edits));
    EXPECT_EQ(rect->pen, (LogPen{PenStyle::InsideFrame, 5, 5, Rgb(255, 0, 0)}));
    EXPECT_EQ(rect->penOn, 1);
    EXPECT_EQ(rect->brush, (LogBrush{BrushStyle::Hatched, Rgb(9, 9, 9), 1}));
    EXPECT_EQ(rect->brushOn, 0);
    EXPECT_EQ(rect->name, QStringLiteral("Box"));
    ExpectOneUndoableStep(*rect, before);
}

TEST_F(DrawDialogsTest, LineAndFillTellsOfStylesItCannotShowAndKeepsThem) {
    const auto ellipse = Rect(CDrawRect::Ellipse);
    ellipse->pen.style = PenStyle::Solid;
    ellipse->brush = {BrushStyle::Hollow, Rgb(1, 1, 1), 0};
    QString first, second;
    OnNext([&](QDialog* sheet) {
        EXPECT_EQ(Child<QComboBox>(sheet, "lineStyle")->currentIndex(), -1);
        EXPECT_EQ(Child<QComboBox>(sheet, "fillType")->currentIndex(), -1);
        Child<QSpinBox>(sheet, "lineWidth")->setValue(0);
        OnNext<QMessageBox>([&](QMessageBox* box) {
            first = box->text();
            ReadMessage(second);
            box->button(QMessageBox::Ok)->click();
        });
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(dialogs.EditProperties(*ellipse, edits));
    EXPECT_EQ(first, QStringLiteral("Tipo de lápiz desconocido"));
    EXPECT_EQ(second, QStringLiteral("Tipo de relleno desconocido"));
    EXPECT_EQ(ellipse->pen.style, PenStyle::Solid);
    EXPECT_EQ(ellipse->penOn, 0);
    EXPECT_EQ(ellipse->brush.style, BrushStyle::Hollow);
    EXPECT_EQ(stack.count(), 1);
}

TEST_F(DrawDialogsTest, CancelChangesNothing) {
    const auto line = Rect(CDrawRect::Line);
    const QByteArray before = Stored(*line);
    OnNext([](QDialog* sheet) {
        Child<QLineEdit>(sheet, "name")->setText(QStringLiteral("Lost"));
        Press(sheet, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(dialogs.EditProperties(*line, edits));
    EXPECT_EQ(Stored(*line), before);
    EXPECT_EQ(stack.count(), 0);
    EXPECT_EQ(page.saved, 1);
}

TEST_F(DrawDialogsTest, AnImageLinksFileIsTypedOrBrowsedFor) {
    ScopedTestDir dir;
    dir.Write("sea.png", "not read here");
    const auto link = Rect(CDrawRect::Link);
    const QByteArray before = Stored(*link);
    const QString picture = dir.Path("sea.png");
    OnNext([&](QDialog* sheet) {
        EXPECT_EQ(sheet->findChild<QTabWidget*>()->tabText(0), QStringLiteral("Link"));
        OnNext<QFileDialog>([&](QFileDialog* files) {
            Answer(files, picture);
        });
        ButtonWithText(sheet, QStringLiteral("..."))->click();
        EXPECT_EQ(Child<QLineEdit>(sheet, "file")->text(), picture);
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(dialogs.EditProperties(*link, edits));
    EXPECT_EQ(link->text, picture);
    ExpectOneUndoableStep(*link, before);
}

TEST_F(DrawDialogsTest, TheTextSheetSetsTextFontAngleBackgroundAndShadowAndTheDefaultFont) {
    const auto text = Rect(CDrawRect::Text);
    text->text = QStringLiteral("one\r\ntwo");
    text->font.escapement = 455;
    const QByteArray before = Stored(*text);
    OnNext([](QDialog* sheet) {
        EXPECT_EQ(sheet->findChild<QTabWidget*>()->tabText(0), QStringLiteral("Text"));
        auto* edit = Child<QPlainTextEdit>(sheet, "text");
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("one\ntwo"));
        edit->setPlainText(QStringLiteral("uno\ndos"));
        Child<QComboBox>(sheet, "align")->setCurrentText(QStringLiteral("Right"));
        EXPECT_EQ(Child<QSpinBox>(sheet, "angle")->value(), 45);
        Child<QSpinBox>(sheet, "angle")->setValue(-30);
        Child<QCheckBox>(sheet, "transparent")->setChecked(true);
        Child<QCheckBox>(sheet, "shadow")->setChecked(true);
        Child<QSpinBox>(sheet, "shadowDx")->setValue(3);
        Child<QSpinBox>(sheet, "shadowDy")->setValue(-4);
        OnNext([](QDialog* popup) { ButtonWithText(popup, QStringLiteral("Blue"))->click(); });
        Child<QPushButton>(sheet, "shadowColor")->click();
        OnNext<QFontDialog>([](QFontDialog* fonts) {
            QFont font(QStringLiteral("Liberation Serif"));
            font.setPointSize(18);
            font.setBold(true);
            fonts->setCurrentFont(font);
            fonts->accept();
        });
        ButtonWithText(sheet, QStringLiteral("&Select..."))->click();
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(dialogs.EditProperties(*text, edits));
    // Line breaks stay as the file had them.
    EXPECT_EQ(text->text, QStringLiteral("uno\r\ndos"));
    EXPECT_EQ(text->textAlign, 2);
    EXPECT_EQ(text->font.FaceName(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(text->font.height, -25);
    EXPECT_EQ(text->font.weight, 700);
    EXPECT_EQ(text->font.escapement, -300);
    EXPECT_EQ(text->brushOn, 0);
    EXPECT_EQ(text->shadowOn, 1);
    EXPECT_EQ(text->shadowColor, Rgb(0, 0, 255));
    EXPECT_EQ(text->shadowDx, 3);
    EXPECT_EQ(text->shadowDy, -4);
    EXPECT_EQ(CurrentDrawDefaults().font, text->font);
    ExpectOneUndoableStep(*text, before);
    CurrentDrawDefaults().font = LogFont{};
}

TEST_F(DrawDialogsTest, TextGoesToAndComesFromTextFiles) {
    ScopedTestDir dir;
    dir.Write("in.txt", *CodePage1252::Encode(QStringLiteral("Año\r\nnuevo")));
    dir.Write("long.txt", QByteArray(40000, 'x'));
    const auto text = Rect(CDrawRect::Text);
    text->text = QStringLiteral("first\nsecond");
    QString failure;
    // Answers the next file chooser with PATH, keeping the name it suggested in SUGGESTED.
    const auto answer = [](const QString& path, QString* suggested = nullptr, QString* message = nullptr) {
        OnNext<QFileDialog>([=](QFileDialog* files) {
            if (suggested) *suggested = QFileInfo(files->selectedFiles().value(0)).fileName();
            if (message) ReadMessage(*message);
            Answer(files, path);
        });
    };
    OnNext([&](QDialog* sheet) {
        QString suggested;
        answer(dir.Path("out"), &suggested);
        ButtonWithText(sheet, QStringLiteral("&Export..."))->click();
        EXPECT_EQ(suggested, QStringLiteral("nonombre.txt"));
        answer(dir.Path("in.txt"));
        ButtonWithText(sheet, QStringLiteral("&Import..."))->click();
        EXPECT_EQ(Child<QPlainTextEdit>(sheet, "text")->toPlainText(), QStringLiteral("Año\nnuevo"));
        answer(dir.Path("long.txt"));
        ButtonWithText(sheet, QStringLiteral("&Import..."))->click();
        EXPECT_EQ(Child<QPlainTextEdit>(sheet, "text")->toPlainText().size(), TextPage::kTextLimit);
        answer(dir.Path("no/such/folder/out.txt"), nullptr, &failure);
        ButtonWithText(sheet, QStringLiteral("&Export..."))->click();
        Press(sheet, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(dialogs.EditProperties(*text, edits));
    // A name typed without an extension gets ".txt"; lines end as on Windows.
    EXPECT_EQ(ReadAll(dir.Path("out.txt")), QByteArray("first\r\nsecond"));
    EXPECT_EQ(failure, QStringLiteral("Error:\nText file error"));
}

TEST_F(DrawDialogsTest, SizeAndPositionRenamesAndRelocatesAsOneStep) {
    const auto rect = Rect(CDrawRect::Rectangle);
    const QByteArray before = Stored(*rect);
    OnNext([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Size and position"));
        EXPECT_EQ(Child<QLabel>(dialog, "width")->text(), QStringLiteral("100"));
        EXPECT_EQ(Child<QLabel>(dialog, "height")->text(), QStringLiteral("100"));
        Child<QSpinBox>(dialog, "X1")->setValue(-20);
        Child<QSpinBox>(dialog, "Y2")->setValue(250);
        EXPECT_EQ(Child<QLabel>(dialog, "width")->text(), QStringLiteral("130"));
        EXPECT_EQ(Child<QLabel>(dialog, "height")->text(), QStringLiteral("50"));
        Child<QLineEdit>(dialog, "name")->setText(QStringLiteral("Moved"));
        Press(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(dialogs.EditGeometry(*rect, edits));
    EXPECT_EQ(rect->bounds, (PageRect{-20, 200, 110, 250}));
    EXPECT_EQ(rect->name, QStringLiteral("Moved"));
    ExpectOneUndoableStep(*rect, before);

    // A fixed object takes the name only; a group's properties are its size and position.
    auto group = std::make_shared<CDrawGroupObj>(PageRect{0, 50, 50, 0});
    group->fixed = 1;
    page.Add(group);
    OnNext([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Size and position"));
        Child<QSpinBox>(dialog, "X2")->setValue(500);
        Child<QLineEdit>(dialog, "name")->setText(QStringLiteral("Held"));
        Press(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(dialogs.EditProperties(*group, edits));
    EXPECT_EQ(group->bounds, (PageRect{0, 50, 50, 0}));
    EXPECT_EQ(group->name, QStringLiteral("Held"));
}

TEST_F(DrawDialogsTest, ThePickerShowsTheNamedColoursMarksTheInitialOneAndWorksByKeyboard) {
    OnNext([](QDialog* popup) {
        EXPECT_TRUE(popup->windowFlags() & Qt::Popup);
        EXPECT_EQ(popup->pos(), QPoint(40, 60));
        const auto cells = popup->findChildren<QToolButton*>();
        ASSERT_EQ(cells.size(), 40);
        EXPECT_EQ(cells[8]->toolTip(), QStringLiteral("Dark red"));
        EXPECT_EQ(cells[39]->toolTip(), QStringLiteral("White"));
        for (QToolButton* cell : cells) EXPECT_EQ(cell->isChecked(), cell->toolTip() == QStringLiteral("Teal"));
        EXPECT_TRUE(ButtonWithText(popup, QStringLiteral("More line colors...")));
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Left})
            QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(QApplication::focusWidget()->toolTip(), QStringLiteral("Bright green"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.PickColor({40, 60}, Rgb(56, 142, 142), true), Rgb(0, 255, 0));

    OnNext([](QDialog*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
    EXPECT_EQ(dialogs.PickColor({40, 60}, Rgb(0, 0, 0), false), std::nullopt);

    OnNext([](QDialog* popup) {
        OnNext<QColorDialog>([](QColorDialog* colours) {
            EXPECT_EQ(colours->currentColor(), QColor(1, 2, 3));
            colours->setCurrentColor(QColor(10, 20, 30));
            colours->accept();
        });
        ButtonWithText(popup, QStringLiteral("More fill colors..."))->click();
    });
    EXPECT_EQ(dialogs.PickColor({40, 60}, Rgb(1, 2, 3), false), Rgb(10, 20, 30));
}

TEST_F(DrawDialogsTest, TheFontAndColourChoosersStartFromTheGivenValues) {
    LogFont font;
    font.height = -25;
    font.escapement = 900;
    font.SetFaceName(QStringLiteral("Liberation Serif"));
    ColorRef colour = Rgb(1, 2, 3);
    OnNext<QFontDialog>([](QFontDialog* fonts) {
        EXPECT_EQ(fonts->currentFont().family(), QStringLiteral("Liberation Serif"));
        EXPECT_EQ(fonts->currentFont().pointSize(), 18);
        QFont italic(QStringLiteral("Liberation Serif"));
        italic.setPointSize(18);
        italic.setItalic(true);
        fonts->setCurrentFont(italic);
        fonts->accept();
    });
    const auto chosen = dialogs.ChooseFont(font, colour);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->italic, 1);
    EXPECT_EQ(chosen->height, -25);
    EXPECT_EQ(chosen->escapement, 900);
    EXPECT_EQ(colour, Rgb(1, 2, 3));

    OnNext<QColorDialog>([](QColorDialog* colours) {
        EXPECT_EQ(colours->currentColor(), QColor(Qt::black));
        colours->reject();
    });
    EXPECT_EQ(dialogs.ChooseColor(Rgb(0, 0, 0)), std::nullopt);
}

TEST_F(DrawDialogsTest, NamesAreChosenInPageOrderOrTyped) {
    OnNext([](QDialog* dialog) {
        auto* list = dialog->findChild<QListWidget*>();
        list->item(2)->setSelected(true);
        list->item(0)->setSelected(true);
        Press(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(dialogs.ChooseNames({"a", "b", "c"}), (QStringList{"a", "c"}));
    OnNext([](QDialog* dialog) { Press(dialog, QDialogButtonBox::Cancel); });
    EXPECT_EQ(dialogs.ChooseNames({"a"}), std::nullopt);

    OnNext([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Find object"));
        EXPECT_EQ(dialog->findChild<QLabel*>()->text(), QStringLiteral("Type the name of the object:"));
        QTest::keyClicks(dialog->findChild<QLineEdit*>(), QStringLiteral("Box 2"));
        Press(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(dialogs.AskObjectName(), QStringLiteral("Box 2"));
}

TEST_F(DrawDialogsTest, NewTakesASizeOrATemplateAndTheBackgroundOnlyWithAnImage) {
    NewAnnotationChoice choice;
    choice.width = 640;
    OnNext([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("New draw anotation"));
        EXPECT_EQ(Child<QSpinBox>(dialog, "width")->value(), 640);
        auto* list = Child<QListWidget>(dialog, "templates");
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("Labels Assistant..."));
        EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Normal.adw"));
        EXPECT_FALSE(list->isEnabled());
        EXPECT_FALSE(Child<QCheckBox>(dialog, "autoInsert")->isEnabled());
        EXPECT_FALSE(Child<QCheckBox>(dialog, "autoInsert")->isChecked());
        EXPECT_FALSE(Child<QCheckBox>(dialog, "fix")->isEnabled());
        Child<QCheckBox>(dialog, "fromTemplate")->click();
        EXPECT_TRUE(list->isEnabled());
        EXPECT_FALSE(Child<QSpinBox>(dialog, "width")->isEnabled());
        EXPECT_FALSE(Child<QSpinBox>(dialog, "height")->isEnabled());
        list->setCurrentRow(2);
        Press(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(dialogs.ChooseNew(choice, {"Normal.adw", "Labels.adw"}));
    EXPECT_TRUE(choice.fromTemplate);
    EXPECT_EQ(choice.templateName, QStringLiteral("Labels.adw"));

    NewAnnotationChoice withImage;
    withImage.imagePath = QStringLiteral("beach.jpg");
    OnNext([](QDialog* dialog) {
        EXPECT_EQ(Child<QLabel>(dialog, "imagePath")->text(), QStringLiteral("beach.jpg"));
        EXPECT_TRUE(Child<QCheckBox>(dialog, "autoInsert")->isChecked());
        EXPECT_TRUE(Child<QSpinBox>(dialog, "width")->isEnabled());
        Child<QCheckBox>(dialog, "fix")->click();
        Child<QSpinBox>(dialog, "height")->setValue(300);
        Press(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(dialogs.ChooseNew(withImage, {}));
    EXPECT_FALSE(withImage.fromTemplate);
    EXPECT_TRUE(withImage.autoInsert);
    EXPECT_TRUE(withImage.fix);
    EXPECT_EQ(withImage.height, 300);
}

}  // namespace
