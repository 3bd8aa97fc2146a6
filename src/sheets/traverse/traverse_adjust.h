#pragma once
// Distributing a traverse's misclose: angular close, and the Bowditch
// (Compass), Transit and Crandall adjustments with the optional height
// adjustment.
namespace kestrel {

class Traverse;

enum class TraverseMethod { Bowditch, Transit, Crandall };

// Command 7: spreads the angular misclose over the angles (or bearings) of
// the route's legs so that the traverse closes. Changes the typed values.
// Returns 1 when the angles were changed.
int AngularClose(Traverse& sheet);

// Commands 8, 23, 24, 30. Calculates, builds the route, distributes the
// linear misclose into the adjusted coordinates, adjusts heights when the
// height flag is on, moves the side shots, and offers the adjustment report.
// Returns 1 when a correction was applied.
int AdjustTraverse(Traverse& sheet, TraverseMethod method);

// Command 9.
int ToggleHeightAdjust(Traverse& sheet);

}  // namespace kestrel
