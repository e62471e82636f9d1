#pragma once

#include <string>

#include "platform/platform.h"

namespace tf {

class Welcome;

// The maker's web site, where the about and maker links lead.
inline constexpr const char* kMakerWebSite = "https://www.veltrane.com/taleforge/";

// Hands the address to the desktop's default handler (traced as
// `open "ADDRESS"`); what comes of it is not looked at.
void OpenAddress(const Platform& platform, const std::string& address);

// The welcome window's links: each asks first, then opens.
void txtEmail_Click(Welcome& welcome);
void txtHomepage_Click(Welcome& welcome);
void Image4_Click(Welcome& welcome);
void Image9_Click(Welcome& welcome);

}  // namespace tf
