// The Command codes the Stadia sheet carries out itself; the rest are the
// family's (base_stadia.cpp).
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia/stadia_exports.h"
#include "sheets/stadia/stadia_landxml.h"

namespace kestrel {

namespace {

// Only the Stadia sheet's own table is handed a Stadia.
Stadia& AsStadia(BaseStadia& sheet) { return static_cast<Stadia&>(sheet); }

}  // namespace

std::span<const BaseStadia::Handler> Stadia::OwnCommands() {
  using Arg = const CommandArg&;
  static constexpr Handler kTable[] = {
      {kCmdCalculate, [](BaseStadia& s, Arg, Arg) { return CalculateStadia(AsStadia(s)); }},
      {kCmdLandXml, [](BaseStadia& s, Arg, Arg) { return ExportLandXml(AsStadia(s)); }},
      {kCmdObservationStrings,
       [](BaseStadia& s, Arg p1, Arg) {
         return AppendObservationStrings(AsStadia(s), ArgAs<std::string*>(p1, nullptr));
       }},
  };
  return kTable;
}

}  // namespace kestrel
