#pragma once

namespace tarnwick::product {

inline constexpr char16_t kName[] = u"Tarnwick";
inline constexpr char16_t kSupportEmail[] = u"support@tarnwick.example";
inline constexpr char16_t kHomePage[] = u"https://www.tarnwick.example/";
inline constexpr char16_t kContactPage[] = u"https://www.tarnwick.example/contact/";
inline constexpr char16_t kMaker[] = u"Team Vantrel";

} // namespace tarnwick::product
