#include "exports/point_csv.h"

#include "platform/printf_format.h"
#include "report/csv_field.h"
#include "survey/empty_value.h"

namespace kestrel {

std::string PointCsv(const SheetPlan& plan, CsvOrder order, bool header) {
  const bool northFirst = order == CsvOrder::Pnezd;
  std::string text;
  if (header) {
    text += northFirst ? "number,northing,easting,height,code\r\n"
                       : "number,easting,northing,height,code\r\n";
  }
  for (const PlanPoint& point : plan.points) {
    const double first = northFirst ? point.north : point.east;
    const double second = northFirst ? point.east : point.north;
    text += Sprintf("%u,%.3f,%.3f,", point.point, first, second);
    if (!IsEmptyValue(point.height)) text += Sprintf("%.3f", point.height);
    text += "," + CsvField(point.code) + "\r\n";
  }
  return text;
}

}  // namespace kestrel
