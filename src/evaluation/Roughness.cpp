#include "evaluation/Roughness.h"

#include "texts/Phrases.h"

namespace kivo {

double gradeCorrection(ProfileGrade grade)
{
    switch (grade) {
    case ProfileGrade::Fine: return 10;
    case ProfileGrade::Medium: return 25;
    case ProfileGrade::Coarse: return 40;
    }
    return 0;
}

std::optional<ProfileGrade> gradeNamed(const QString& name)
{
    const QString n = name.trimmed().toLower();
    if (n == u"fine") return ProfileGrade::Fine;
    if (n == u"medium") return ProfileGrade::Medium;
    if (n == u"coarse") return ProfileGrade::Coarse;
    return std::nullopt;
}

QString gradeName(ProfileGrade grade, bool german)
{
    switch (grade) {
    case ProfileGrade::Fine: return phrase(Phrase::GradeFine, german);
    case ProfileGrade::Medium: return phrase(Phrase::GradeMedium, german);
    case ProfileGrade::Coarse: return phrase(Phrase::GradeCoarse, german);
    }
    return {};
}

QString correctionLine(std::optional<ProfileGrade> grade, double correction, const QString& number, bool german)
{
    if (grade) return phrase(Phrase::CorrectionByGrade, german).arg(gradeName(*grade, german), number);
    if (correction != 0) return phrase(Phrase::CorrectionMeasured, german).arg(number);
    return {};
}

} // namespace kivo
