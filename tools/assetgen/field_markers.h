#pragma once

#include <vector>

#include "named_picture.h"

namespace floebound::tools {

// The pictures laid flat on the field's squares, 128 by 128, transparent
// around the drawing: the penguin and skateboard squares, lit while supplies
// are left ("On") and grey once they are used up ("Off"), and the marked
// square where no goat may stand.
std::vector<NamedPicture> draw_field_markers();

// The goat turning squares: for each direction three frames the field cycles
// through, 1, 2, 3, 1, ..., so the arrows round the goat keep turning the way
// the goat turns penguins. The field lays the pictures down so that seen from
// above they keep their turning sense: clockwise on the picture is clockwise
// on the field.
std::vector<NamedPicture> draw_goat_squares();

// Each frame turns the arrows on by this much; three arrows 120 degrees apart
// make the third frame lead smoothly back into the first.
constexpr double kGoatFrameStepDegrees = 40.0;

}  // namespace floebound::tools
