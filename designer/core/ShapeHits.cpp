#include "designer/core/ShapeHits.h"

#include <algorithm>
#include <cmath>

namespace designer {

namespace {

constexpr double kPi = 3.14159265358979323846;

double ToDouble(Fixed v) {
  return static_cast<double>(v.Raw()) / Fixed::kOne;
}

struct Point {
  double x = 0;
  double y = 0;
};

Point ToPoint(MmPoint p) {
  return {ToDouble(p.x), ToDouble(p.y)};
}

double DistanceToSegment(Point p, Point a, Point b) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// An axis-aligned ellipse: its centre and half-axes.
struct Oval {
  double cx = 0, cy = 0, a = 0, b = 0;

  // Below 0 inside, 0 on the line, above 0 outside.
  double Level(Point p) const {
    double u = (p.x - cx) / a, v = (p.y - cy) / b;
    return u * u + v * v - 1;
  }
  bool Contains(Point p) const { return a > 0 && b > 0 && Level(p) <= 0; }
  // The distance to the line, from the nearest point on it (found by a
  // few steps along the evolute, which settle to well under a pixel); a
  // flat ellipse is its long axis.
  double Distance(Point p) const {
    if (a <= 1e-9 || b <= 1e-9) {
      return DistanceToSegment(p, {cx - a, cy - b}, {cx + a, cy + b});
    }
    double px = std::abs(p.x - cx), py = std::abs(p.y - cy);
    double tx = std::sqrt(0.5), ty = std::sqrt(0.5);
    for (int step = 0; step < 4; ++step) {
      double x = a * tx, y = b * ty;
      double ex = (a * a - b * b) * tx * tx * tx / a;
      double ey = (b * b - a * a) * ty * ty * ty / b;
      double r = std::hypot(x - ex, y - ey);
      double q = std::hypot(px - ex, py - ey);
      if (q <= 1e-12) {
        break;
      }
      tx = std::clamp((((px - ex) * r / q) + ex) / a, 0.0, 1.0);
      ty = std::clamp((((py - ey) * r / q) + ey) / b, 0.0, 1.0);
      double t = std::hypot(tx, ty);
      tx /= t;
      ty /= t;
    }
    return std::hypot(px - a * tx, py - b * ty);
  }
  // The angle of a point as the arc drawing measures it: in degrees,
  // counter-clockwise on the page, on the circle the ellipse is squeezed from.
  double Angle(Point p) const {
    double sa = std::max(a, 1e-9), sb = std::max(b, 1e-9);
    return std::atan2((cy - p.y) / sb, (p.x - cx) / sa) * 180.0 / kPi;
  }
  Point At(double degrees) const {
    double r = degrees * kPi / 180.0;
    return {cx + a * std::cos(r), cy - b * std::sin(r)};
  }
};

Oval OvalOf(const MmBox& box) {
  double left = ToDouble(box.left), right = ToDouble(box.right);
  double top = ToDouble(box.top), bottom = ToDouble(box.bottom);
  return {(left + right) / 2, (top + bottom) / 2, (right - left) / 2, (bottom - top) / 2};
}

// The part of an ellipse an arc or chord draws: from `start` degrees,
// `span` degrees counter-clockwise, as the drawing reckons them.
struct Sweep {
  double start = 0;
  double span = 360;
  bool Holds(double angle) const {
    double from = std::fmod(angle - start + 720.0, 360.0);
    return from <= span;
  }
};

Sweep SweepOf(const ElementShape& shape, const Oval& oval, Fixed pixelsPerMm) {
  double scale = std::max(ToDouble(pixelsPerMm), 1e-9);
  Point start = ToPoint(shape.arcStart);
  Point end{shape.arcEndPixels.first / scale, shape.arcEndPixels.second / scale};
  Sweep sweep;
  sweep.start = oval.Angle(start);
  double span = oval.Angle(end) - sweep.start;
  while (span <= 0) {
    span += 360.0;
  }
  while (span > 360.0) {
    span -= 360.0;
  }
  sweep.span = span;
  return sweep;
}

bool OnArc(const Oval& oval, const Sweep& sweep, Point p, double tolerance) {
  if (oval.Distance(p) > tolerance) {
    return false;
  }
  // Near its ends the line counts a tolerance beyond them, as a line's does.
  return sweep.Holds(oval.Angle(p)) ||
         std::hypot(p.x - oval.At(sweep.start).x, p.y - oval.At(sweep.start).y) <= tolerance ||
         std::hypot(p.x - oval.At(sweep.start + sweep.span).x,
                    p.y - oval.At(sweep.start + sweep.span).y) <= tolerance;
}

// Which side of the line a to b a point lies on.
double Side(Point a, Point b, Point p) {
  return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

bool HitsArcOrChord(const ElementShape& shape, Point p, double tolerance, Fixed pixelsPerMm) {
  Oval oval = OvalOf(shape.box);
  Sweep sweep = SweepOf(shape, oval, pixelsPerMm);
  if (OnArc(oval, sweep, p, tolerance)) {
    return true;
  }
  if (shape.kind == ElementKind::Arc) {
    return false;  // a line only, never filled
  }
  Point from = oval.At(sweep.start);
  Point to = oval.At(sweep.start + sweep.span);
  if (DistanceToSegment(p, from, to) <= tolerance) {
    return true;  // the chord's straight side
  }
  if (!shape.filled || !oval.Contains(p)) {
    return false;
  }
  // Inside: on the arc's side of the chord.
  Point middle = oval.At(sweep.start + sweep.span / 2);
  return sweep.span >= 360.0 || (Side(from, to, p) > 0) == (Side(from, to, middle) > 0);
}

// A rounded box: its straight sides and quarter ellipses at the corners,
// each corner ellipse the given size, at most the box.
bool HitsRoundedBox(const ElementShape& shape, Point p, double tolerance) {
  double left = ToDouble(shape.box.left), right = ToDouble(shape.box.right);
  double top = ToDouble(shape.box.top), bottom = ToDouble(shape.box.bottom);
  double rx = std::clamp(std::abs(ToDouble(shape.cornerWidth)) / 2, 0.0, (right - left) / 2);
  double ry = std::clamp(std::abs(ToDouble(shape.cornerHeight)) / 2, 0.0, (bottom - top) / 2);
  // The corner whose quarter ellipse the point faces, if any.
  bool cornerX = p.x < left + rx || p.x > right - rx;
  bool cornerY = p.y < top + ry || p.y > bottom - ry;
  if (cornerX && cornerY && rx > 0 && ry > 0) {
    Oval corner{p.x < left + rx ? left + rx : right - rx, p.y < top + ry ? top + ry : bottom - ry,
                rx, ry};
    return corner.Distance(p) <= tolerance || (shape.filled && corner.Contains(p));
  }
  bool inside = p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
  if (inside && shape.filled) {
    return true;
  }
  double toSide = std::min({DistanceToSegment(p, {left + rx, top}, {right - rx, top}),
                            DistanceToSegment(p, {left + rx, bottom}, {right - rx, bottom}),
                            DistanceToSegment(p, {left, top + ry}, {left, bottom - ry}),
                            DistanceToSegment(p, {right, top + ry}, {right, bottom - ry})});
  return toSide <= tolerance;
}

// A box grown to the tolerance where it is thinner (a text of no
// characters, a picture of no width), so it can still be clicked.
bool InGrownBox(const MmBox& box, MmPoint point, Fixed tolerance) {
  MmBox grown = box;
  if (grown.right - grown.left < tolerance) {
    grown.left = grown.left - tolerance;
    grown.right = grown.right + tolerance;
  }
  if (grown.bottom - grown.top < tolerance) {
    grown.top = grown.top - tolerance;
    grown.bottom = grown.bottom + tolerance;
  }
  return grown.Contains(point);
}

}  // namespace

bool HitsAsDrawn(const ElementShape& shape, MmPoint point, Fixed tolerance, Fixed pixelsPerMm) {
  Point p = ToPoint(point);
  double reach = ToDouble(tolerance);
  switch (shape.kind) {
    case ElementKind::Line:
      return DistanceToSegment(p, ToPoint(shape.start), ToPoint(shape.end)) <= reach;
    case ElementKind::Rect:
    case ElementKind::FillRect:
    case ElementKind::RoundRect: return HitsRoundedBox(shape, p, reach);
    case ElementKind::Ellipse: {
      Oval oval = OvalOf(shape.box);
      return oval.Distance(p) <= reach || (shape.filled && oval.Contains(p));
    }
    case ElementKind::Arc:
    case ElementKind::Chord: return HitsArcOrChord(shape, p, reach, pixelsPerMm);
    default: return InGrownBox(shape.box, point, tolerance);  // texts and pictures
  }
}

}  // namespace designer
