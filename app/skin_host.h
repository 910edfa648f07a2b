// Form1's side of the skin: the file listing, the colours it stores, its controls, SkinFramework1, high contrast.
#pragma once

#include "app/apply_skin.h"
#include "app/form_parts.h"

namespace app {

// Reads the high contrast setting again: while it is on, the window and its controls show the system's colours
// and the skin stands aside; when it goes off, the stored colours and the skin come back.
void FollowHighContrast(FormParts& parts) noexcept;

class Form1Skin final : public SkinHost {
public:
    explicit Form1Skin(FormParts& parts) noexcept : parts_(parts) {}

    std::wstring ExecutableFolder() override;
    bool SkinFileListed(const std::wstring& path) override;
    void SetBackColour(StoredColour colour) override;
    std::vector<FormControl> Controls() override;
    void SetControlBackColour(std::uintptr_t control, StoredColour colour) override;
    skin::SkinFramework& SkinFramework1() override;
    std::uintptr_t WindowHandle() override;

private:
    FormParts& parts_;
};

}  // namespace app
