#pragma once

#include "sheet/ProblemClasses.h"

#include <QStringView>

#include <span>

// The lessons of the long-division course as presets: each names what the pupils practise
// and sets the classes, the remainder and the practice focus that give exactly such
// problems, so that a teacher picks the lesson instead of working out its settings.
namespace divisheet {

struct Lesson
{
    QStringView name; // as the teacher's plan names it: "3けた÷1けた"
    ProblemSettings settings;
};

// Every lesson, in the order they are taught.
std::span<const Lesson> lessons();

} // namespace divisheet
