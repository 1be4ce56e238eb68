#pragma once

#include <QList>

class QObject;
class QWidget;

// Puts the program's windows into the active language: every text that they
// show passes through TranslateText and is written back, so the walk also
// registers each window text that the translation table lacks.
//
// `windows` are the windows the program makes at start, in the order it
// makes them; they stand for what the application owns. The walk goes
// through Qt's object ownership level by level: first the windows themselves
// from the last to the first, then the children of each object in the order
// the objects were found, each object's children from the last to the first.
// That order is the order in which missing texts join the table.
void TranslateComponentTree(const QList<QWidget*>& windows);

// Marks a control whose text the program sets itself, already translated
// (a file name, a note that changes with the document): the walk leaves its
// text alone and goes on with its children.
void KeepTextOutOfTranslation(QObject* control);
