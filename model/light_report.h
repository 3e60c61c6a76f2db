#pragma once
// Text of "light_value.txt": the light course of every cell as numbers.

#include "model/light_course.h"

#include <cstdint>
#include <string>

inline constexpr const char* kLightReportFileName = "light_value.txt";

// "+" and three digits: 32 gives "+032".
std::string FormatLightValue(std::int16_t level);

// The whole report, CR LF line ends; reportPath is written as given (single-byte text).
std::string LightValueReport(const std::string& reportPath, const LightCourse& course);
