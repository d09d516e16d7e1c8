#pragma once
// Texts that the dialog writes in more than one place.

namespace echo_track {

// The rule of fifty hyphens above the help block and between the questions.
inline constexpr const char* kHyphens = "--------------------------------------------------";

// The prompt line around a default: "        [ Default: " value " ]    Input=".
inline constexpr const char* kPromptBeforeDefault = "        [ Default: ";
inline constexpr const char* kPromptAfterDefault = " ]    Input=";

}  // namespace echo_track
