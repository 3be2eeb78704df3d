#pragma once
// The update offer as a message box, and the download page in the browser.

#include "settings/updatecheck.h"

class MessageBoxUpdatePrompt : public torvel::UpdatePrompt {
public:
    bool offerUpdate() override;
    void openDownloadPage(const std::string& address) override;
};
