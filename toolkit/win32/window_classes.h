// The window classes of the toolkit's own windows: forms and the sheets of a
// page control. Their window procedure is Windows' default; each window is
// subclassed by its control (TControl).
#pragma once

namespace vantrel {

inline constexpr const wchar_t* kSheetWindowClass = L"VantrelSheet";

// Registers the classes the first time; throws vantrel::Exception when
// Windows refuses.
void RegisterToolkitClasses();

}  // namespace vantrel
