#pragma once

#include <QStringList>

struct NewAnnotationChoice;
class QWidget;

// "New draw anotation": the page size, or a template (or the labels assistant) among TEMPLATES,
// and whether the card's picture goes in as a background, fixed or not. Fills CHOICE on OK.
bool ChooseNewAnnotation(QWidget* parent, NewAnnotationChoice& choice, const QStringList& templates);
