#pragma once
// ISO 19840's correction for a rough substrate: a value by the profile
// grade of the blast-cleaned steel, or one measured and typed in. Every
// reading is judged less the correction. Pure.

#include <QString>
#include <optional>

namespace kivo {

enum class ProfileGrade { Fine, Medium, Coarse };

// 10, 25 or 40 µm.
double gradeCorrection(ProfileGrade grade);
// "fine", "medium", "coarse" (any case; kivo-cli's words); nullopt for others.
std::optional<ProfileGrade> gradeNamed(const QString& name);
// "fein" / "fine" ...
QString gradeName(ProfileGrade grade, bool german);

// The line a verdict carries on its correction: by the grade, or as
// measured; "" for none. `number` is the correction as shown.
QString correctionLine(std::optional<ProfileGrade> grade, double correction, const QString& number, bool german);

} // namespace kivo
