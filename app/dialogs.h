#pragma once
// The two other windows: the engine directory dialog and the About box. Both are shown and
// hidden as their controls say, never modal, and closing them only hides them.

#include <QDialog>

#include "app/binder.h"

namespace wintarvel::view {

class FrmOptionsView : public QDialog {
 public:
  FrmOptionsView(TFrmOptions& options, Binder& binder, QWidget* parent);
  void reject() override;

 private:
  TFrmOptions& options_;
  Binder& binder_;
};

class AboutBoxView : public QDialog {
 public:
  AboutBoxView(TAboutBox& about, Binder& binder, QWidget* parent);
  void reject() override;

 private:
  TAboutBox& about_;
  Binder& binder_;
};

}  // namespace wintarvel::view
