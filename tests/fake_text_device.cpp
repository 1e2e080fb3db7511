// The recording text device: objects are numbered handles, metrics come from fixed tables.
#include "tests/fake_text_device.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace qm {

namespace {
FakeTextDevice::Call Blank(FakeTextDevice::Op op) {
  FakeTextDevice::Call call;
  call.op = op;
  return call;
}
}  // namespace

FakeTextDevice::FakeTextDevice() {
  Object system{Kind::Font, true, true, {}, 0};
  system.request.height = kSystemFontHeight;
  systemFont_ = Add(system);
  stockWhite_ = Add({Kind::Brush, true, true, {}, kWhite});
  stockBlack_ = Add({Kind::Brush, true, true, {}, kBlack});
  selPen_ = Add({Kind::Pen, true, true, {}, kBlack});
  selFont_ = systemFont_;
  selBrush_ = stockWhite_;
}

GdiObject FakeTextDevice::Add(const Object& object) {
  objects_.push_back(object);
  return reinterpret_cast<GdiObject>(static_cast<std::uintptr_t>(objects_.size()));
}

const FakeTextDevice::Object* FakeTextDevice::Find(GdiObject handle) const {
  const auto n = reinterpret_cast<std::uintptr_t>(handle);
  if (n == 0 || n > objects_.size()) return nullptr;
  return &objects_[n - 1];
}

void FakeTextDevice::Record(Call call) {
  call.font = selFont_;
  log.push_back(std::move(call));
}

std::int32_t FakeTextDevice::HeightOf(GdiObject font) const {
  const Object* o = Find(font);
  if (!o || o->kind != Kind::Font) return 0;
  const std::int32_t h = std::abs(o->request.height);
  return h == 0 ? defaultFontHeight : h;
}

std::int32_t FakeTextDevice::AdvanceOf(char16_t unit) const {
  if (advanceOf) return advanceOf(unit, HeightOf(selFont_));
  const auto it = advances.find(unit);
  return it == advances.end() ? defaultAdvance : it->second;
}

std::vector<FakeTextDevice::Call> FakeTextDevice::Calls(Op op) const {
  std::vector<Call> out;
  for (const Call& c : log)
    if (c.op == op) out.push_back(c);
  return out;
}

int FakeTextDevice::Count(Op op) const {
  int n = 0;
  for (const Call& c : log)
    n += c.op == op;
  return n;
}

std::u16string FakeTextDevice::DrawnUnits() const {
  std::u16string all;
  for (const Call& c : log)
    if (c.op == Op::Draw) all += c.units;
  return all;
}

FakeTextDevice::Kind FakeTextDevice::KindOf(GdiObject object) const {
  const Object* o = Find(object);
  return o ? o->kind : Kind::None;
}

bool FakeTextDevice::IsLive(GdiObject object) const {
  const Object* o = Find(object);
  return o && o->live;
}

int FakeTextDevice::LiveCount(Kind kind) const {
  int n = 0;
  for (const Object& o : objects_)
    n += o.kind == kind && o.live && !o.stock;
  return n;
}

const FontRequest* FakeTextDevice::RequestOf(GdiObject font) const {
  const Object* o = Find(font);
  if (!o || o->kind != Kind::Font || o->stock) return nullptr;
  return &o->request;
}

GdiObject FakeTextDevice::NewFont(const FontRequest& request) {
  Call call = Blank(Op::NewFont);
  call.request = request;
  if (failFonts > 0) {
    --failFonts;
    Record(call);
    return nullptr;
  }
  call.object = Add({Kind::Font, true, false, request, 0});
  Record(call);
  return call.object;
}

GdiObject FakeTextDevice::NewPen(Colour colour) {
  Call call = Blank(Op::NewPen);
  call.colour = colour;
  call.object = Add({Kind::Pen, true, false, {}, colour});
  Record(call);
  return call.object;
}

GdiObject FakeTextDevice::NewSolidBrush(Colour colour) {
  Call call = Blank(Op::NewBrush);
  call.colour = colour;
  call.object = Add({Kind::Brush, true, false, {}, colour});
  Record(call);
  return call.object;
}

GdiObject FakeTextDevice::StockObject(Stock which) {
  GdiObject object = which == Stock::BlackBrush ? stockBlack_ : stockWhite_;
  if (which == Stock::SystemFont) object = systemFont_;
  Call call = Blank(Op::Stock);
  call.object = object;
  call.value = static_cast<int>(which);
  Record(std::move(call));
  return object;
}

GdiObject FakeTextDevice::Select(GdiObject object) {
  Call call = Blank(Op::Select);
  call.object = object;
  Record(std::move(call));
  const Object* o = Find(object);
  if (!o || !o->live) return nullptr;  // as the platform: an invalid handle selects nothing
  GdiObject* slot = nullptr;
  switch (o->kind) {
    case Kind::Font:
      slot = &selFont_;
      break;
    case Kind::Pen:
      slot = &selPen_;
      break;
    case Kind::Brush:
      slot = &selBrush_;
      break;
    default:
      return nullptr;
  }
  GdiObject previous = *slot;
  *slot = object;
  return previous;
}

void FakeTextDevice::Delete(GdiObject object) {
  Call call = Blank(Op::Delete);
  call.object = object;
  Record(std::move(call));
  if (object && (object == selFont_ || object == selPen_ || object == selBrush_))
    ++deletedWhileSelected;
  const auto n = reinterpret_cast<std::uintptr_t>(object);
  if (n == 0 || n > objects_.size()) return;
  Object& o = objects_[n - 1];
  if (!o.stock) o.live = false;
}

TextMetrics FakeTextDevice::Metrics() {
  if (logQueries) Record(Blank(Op::Metrics));
  const std::int32_t h = HeightOf(selFont_);
  return {h, maxCharWidth > 0 ? maxCharWidth : h};
}

std::int32_t FakeTextDevice::LogPixelsY() {
  if (logQueries) Record(Blank(Op::LogPixels));
  return logPixelsY;
}

Extent FakeTextDevice::TextExtent(std::u16string_view units) {
  if (logQueries) {
    Call call = Blank(Op::Extent);
    call.units = units;
    Record(std::move(call));
  }
  Extent e{0, HeightOf(selFont_)};
  for (char16_t u : units)
    e.cx += AdvanceOf(u);
  return e;
}

std::int32_t FakeTextDevice::FitCount(std::u16string_view units,
                                      std::int32_t maxWidth,
                                      Extent* extent) {
  if (logQueries) {
    Call call = Blank(Op::Fit);
    call.units = units;
    call.value = maxWidth;
    Record(std::move(call));
  }
  std::int32_t total = 0;
  std::int32_t fit = 0;
  bool fitting = true;
  for (char16_t u : units) {
    total += AdvanceOf(u);
    if (fitting && total <= maxWidth)
      ++fit;
    else
      fitting = false;
  }
  if (extent) *extent = {total, HeightOf(selFont_)};
  return fit;
}

bool FakeTextDevice::ReordersRun(std::u16string_view units) {
  if (units.size() < 2) return false;
  return reordersHebrew && std::any_of(units.begin(), units.end(), [](char16_t u) {
           return (u >= 0x590 && u <= 0x5FF) || (u >= 0xFB1D && u <= 0xFB4F);
         });
}

void FakeTextDevice::DrawUnits(std::u16string_view units, const Box& box, std::uint32_t flags) {
  Call call = Blank(Op::Draw);
  call.units = std::u16string(units);
  call.box = box;
  call.flags = flags;
  call.colour = textColour_;
  call.back = bkColour_;
  call.value = bkMode_;
  Record(std::move(call));
}

void FakeTextDevice::Fill(const Box& box, GdiObject brush) {
  Call call = Blank(Op::Fill);
  call.object = brush;
  call.box = box;
  Record(std::move(call));
}

void FakeTextDevice::DrawRectangle(const Box& box) {
  Call call = Blank(Op::Rectangle);
  call.box = box;
  call.brush = selBrush_;
  call.pen = selPen_;
  Record(std::move(call));
}

bool FakeTextDevice::DrawBitmap(GdiObject bitmap,
                                std::int32_t x,
                                std::int32_t y,
                                std::int32_t w,
                                std::int32_t h) {
  Call call = Blank(Op::Bitmap);
  call.object = bitmap;
  call.box = {x, y, x + w, y + h};
  Record(std::move(call));
  return bitmap != nullptr && bitmapResult;
}

Colour FakeTextDevice::GetTextColor() {
  if (logQueries) Record(Blank(Op::GetTextColour));
  return textColour_;
}

Colour FakeTextDevice::SetTextColor(Colour colour) {
  Call call = Blank(Op::SetTextColour);
  call.colour = colour;
  Record(std::move(call));
  Colour previous = textColour_;
  textColour_ = colour;
  return previous;
}

Colour FakeTextDevice::SetBkColor(Colour colour) {
  Call call = Blank(Op::SetBkColour);
  call.colour = colour;
  Record(std::move(call));
  Colour previous = bkColour_;
  bkColour_ = colour;
  return previous;
}

int FakeTextDevice::SetBkMode(int mode) {
  Call call = Blank(Op::SetBkMode);
  call.value = mode;
  Record(std::move(call));
  int previous = bkMode_;
  bkMode_ = mode;
  return previous;
}

}  // namespace qm
