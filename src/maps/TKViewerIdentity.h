#pragma once

// The viewer's organisation and application names. They fix where its
// settings and its tile store lie, so the `tovik` command, which has names
// of its own, finds the same ones.
namespace TKViewerIdentity {

inline constexpr const char *kOrganization = "Tovik";
inline constexpr const char *kApplication = "tovik-viewer";

} // namespace TKViewerIdentity
