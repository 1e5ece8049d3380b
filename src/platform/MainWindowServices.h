#pragma once

#include <QString>

// What views ask of the main window besides status texts and progress (which are Ui services):
// bringing a tab forward and reaching the web view. Without a tab or web view they do nothing.
class MainWindowServices {
public:
    enum Tab { ListTab = 0, ImageTab = 1, ContactTab = 2, DrawTab = 3, WebTab = 4 };

    virtual ~MainWindowServices() = default;
    virtual void ShowTab(int tab) = 0;
    virtual QString GetWebLocation() const = 0;
    virtual void NavigateWeb(const QString& url) = 0;
};
