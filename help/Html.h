// TFormHTML: the help viewer, the laboratory's pages in an embedded browser
// with Back, Forward and a button that loads the home page again.
#pragma once

#include "framework/Form.h"

namespace cvcalc {

class TButton;
class TOpenDialog;
class TPanel;
class TWebBrowserControl;

class TFormHTML : public TForm {
public:
    CVCALC_CLASS_INFO()

    // Built from its description, hidden, the browser created with it but
    // no page loaded.
    explicit TFormHTML(TComponent* owner);

    // Shows the window in front (modeless) and starts loading the home page;
    // every call adds a history entry.
    void ShowHomePage();
    // Shows the window in front and starts loading the report of the last
    // run (LaboratoryReportPage), which the program generates anew at every
    // call.
    void ShowRunReport();
    // While the window shows the report page, loads it again, so that the
    // page follows the results; otherwise does nothing.
    void RefreshRunReport();

    // Handlers bound by name from the description.
    void ButtonKestrelLabClick(TObject* sender);
    void ButtonBackClick(TObject* sender);
    void ButtonForwardClick(TObject* sender);

    // Filled by the reader.
    TPanel* Panel1 = nullptr;
    TButton* ButtonKestrelLab = nullptr;
    TButton* ButtonBack = nullptr;
    TButton* ButtonForward = nullptr;
    TWebBrowserControl* WebBrowserHelp = nullptr;
    TOpenDialog* OpenDialogHelp = nullptr;
};

// The one help window, created hidden at start-up by the application.
extern TFormHTML* FormHTML;

}  // namespace cvcalc
