#include "app/vantrel.h"

#include "app/Unit1.h"

int vantrel(platform::Application& Application) {
  Application.HideOwnWindow();
  Application.SetShowMainForm(false);
  Application.Initialize();
  Application.SetTitle(unit1::kTitle);
  TForm1 form(Application);
  Form1 = &form;
  form.Create();
  Application.Run(form.Window());
  Form1 = nullptr;
  return 0;
}
