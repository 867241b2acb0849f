#include "report/model/engine_settings.h"

namespace ormind {
namespace {

constexpr TRptColor Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

constexpr TRptDesignColours kRich{
    {TRptPenStyle::Dot, Rgb(96, 96, 96)},    Rgb(112, 112, 112),
    {TRptPenStyle::Dot, Rgb(128, 128, 255)}, {TRptPenStyle::Solid, Rgb(249, 249, 249)},
    {TRptPenStyle::Solid, Rgb(240, 240, 240)}};

constexpr TRptDesignColours kGrey{
    {TRptPenStyle::Solid, Rgb(128, 128, 128)}, Rgb(192, 192, 192),
    {TRptPenStyle::Dash, Rgb(128, 128, 128)},  {TRptPenStyle::Dot, Rgb(192, 192, 192)},
    {TRptPenStyle::Solid, Rgb(192, 192, 192)}};

}  // namespace

const TRptDesignColours& TRptEngineSettings::DesignColours() const {
  return RichColours ? kRich : kGrey;
}

TRptEngineSettings InitReportUnits(const std::string& measurementSystem, int64_t screenColours) {
  TRptEngineSettings settings;
  settings.UsMeasurement = measurementSystem == "1";
  settings.RichColours = screenColours > 256 || screenColours < 0;
  return settings;
}

}  // namespace ormind
