#pragma once
// The eight pages of the main window. Each builder creates the page's widgets through the
// binder (so each is bound to its control and named after it) and lays them out.

#include <QString>

#include "app/binder.h"

class QLabel;
class QWidget;

namespace wintarvel::view {

QWidget* buildBasicPage(TFrm1& f, Binder& b);
QWidget* buildVariablesPage(TFrm1& f, Binder& b);
QWidget* buildDataFormatPage(TFrm1& f, Binder& b);
QWidget* buildOutputPage(TFrm1& f, Binder& b);
QWidget* buildConstructsPage(TFrm1& f, Binder& b);
QWidget* buildCorrelatedErrorsPage(TFrm1& f, Binder& b);
QWidget* buildReorderPage(TFrm1& f, Binder& b);
QWidget* buildFileNamesPage(TFrm1& f, Binder& b);

// A fixed caption of the view that belongs to no control.
QLabel* staticLabel(const QString& text, const char* name, QWidget* buddy = nullptr);
// Makes a fixed label the caption of `buddy`, with its access key, and the name assistive
// technology reads for it.
void setBuddy(QLabel* label, QWidget* buddy);
// Widgets the program shows and hides keep their place, so the form does not jump around.
void keepPlaceWhenHidden(QWidget* widget);
// Makes the radio buttons of each group box of `page` one group: one Tab stop, arrow keys choose.
void groupRadioButtons(QWidget* page);
// The width of a radio button's or check box's indicator with its gap, for text that continues
// a button's caption on the next line.
int indicatorIndent(QWidget* button);

}  // namespace wintarvel::view
