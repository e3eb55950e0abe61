#include "picture.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Sizes in the drawing's own units: the longer side of the figures' box, the least width or
// height of that box (so that a flat or a single-point picture has room for its labels), and
// the blank margin around it.
constexpr double drawn = 1000, least = 400, margin = 60;

const char* const plain_colour = "#5a6470";
const char* const nearest_colour = "#d62728";

const double full_turn = 4 * std::asin(1.0);

// A figure with the one field that Sikidom keeps to itself.
class Figure : public Sikidom {
public:
    explicit Figure(const Sikidom& figure) : Sikidom(figure) {}
    double get_size() const { return size; }
};

// Hands every figure of the list, with its 0-based position, to `visit`, in list order.
template <typename Visit>
void for_each_figure(lista<Sikidom>& figures, Visit visit)
{
    try {
        figures.First();
    } catch (lista<Sikidom>::Exceptions) {
        return;  // no figures
    }
    for (long long position = 0;; ++position) {
        visit(Figure(figures.GetValue()), position);
        if (figures.LastElement())
            return;
        figures.Next();
    }
}

constexpr int no_exponent = std::numeric_limits<int>::min();

// The binary exponent of a finite value that is not 0.
int exponent(double value) { return value == 0 || !std::isfinite(value) ? no_exponent : std::ilogb(value); }

bool finite(const Figure& figure)
{
    return std::isfinite(figure.get_x()) && std::isfinite(figure.get_y()) && std::isfinite(figure.get_size());
}

// The largest binary exponent among a figure's centre and radius (circumradius of a
// polygon), found without computing the radius itself, which may lie beyond the range.
int exponent_of(const Figure& figure)
{
    if (!finite(figure))
        return no_exponent;
    int top = std::max(exponent(figure.get_x()), exponent(figure.get_y()));
    const int sides = figure.get_side_number();
    const int size = exponent(figure.get_size());
    if (sides < 0 || size == no_exponent)
        return top;
    if (sides == 0)
        return std::max(top, size);
    const double alpha = full_turn / sides;
    return std::max(top, size + exponent(std::ldexp(figure.get_size(), -size) / (2 * std::sin(alpha / 2))));
}

// A figure as drawn, in the picture's working units: its own units times 2^-shift, where the
// shift is chosen so that the largest magnitude of the picture is near 2^500, measured from an
// origin of the picture's own (P where it is drawn). Every sum and difference of such values is
// then finite, nothing that can be seen is lost to underflow, and a figure far smaller than its
// coordinates is drawn from its offset to the origin, rounded once, so that it keeps its shape.
struct Frame {
    int shift;
    double x, y;  // the origin, in units of 2^shift
};

struct Shape {
    enum Kind { circle, polygon, round, point, none } kind;
    double x, y;    // the centre
    double radius;  // of a circle, or the circumradius of a polygon (negative for a negative side)
    int sides;
    double alpha;  // the polygon's central angle
};

Shape shape_of(const Figure& figure, const Frame& frame)
{
    Shape shape{};
    shape.sides = figure.get_side_number();
    shape.x = std::ldexp(figure.get_x(), -frame.shift) - frame.x;
    shape.y = std::ldexp(figure.get_y(), -frame.shift) - frame.y;
    const double size = std::ldexp(figure.get_size(), -frame.shift);
    if (!finite(figure)) {
        shape.kind = Shape::none;
    } else if (shape.sides == 0) {
        shape.kind = Shape::circle;
        shape.radius = size;
    } else if (shape.sides < 0) {
        shape.kind = Shape::point;  // no vertices: only the centre
    } else {
        shape.kind = shape.sides <= most_sides_drawn ? Shape::polygon : Shape::round;
        shape.alpha = full_turn / shape.sides;
        shape.radius = size / (2 * std::sin(shape.alpha / 2));
    }
    return shape;
}

// Vertex i of a polygon: the lowest point of the circumscribed circle turned clockwise about
// the centre by alpha/2 + i alpha.
void vertex(const Shape& shape, long long i, double& x, double& y)
{
    const double theta = shape.alpha / 2 + static_cast<int>(i) * shape.alpha;
    x = shape.x - shape.radius * std::sin(theta);
    y = shape.y - shape.radius * std::cos(theta);
}

// The point of the figure nearest to P: for a circle the point on the line through P and the
// centre (the lowest point when P is the centre), for a polygon its nearest vertex. False for
// a figure without one.
bool nearest_point(const Shape& shape, double px, double py, double& x, double& y)
{
    const double ex = px - shape.x, ey = py - shape.y;
    switch (shape.kind) {
    case Shape::circle: {
        const double d = std::hypot(ex, ey);
        x = shape.x + (d > 0 ? shape.radius * (ex / d) : 0);
        y = shape.y + (d > 0 ? shape.radius * (ey / d) : -shape.radius);
        return true;
    }
    case Shape::polygon: {
        double best = 0;
        for (int i = 0; i < shape.sides; ++i) {
            double vx, vy;
            vertex(shape, i, vx, vy);
            const double d = std::hypot(vx - px, vy - py);
            if (i == 0 || d < best)
                best = d, x = vx, y = vy;
        }
        return true;
    }
    case Shape::round: {
        // The vertex whose direction from the centre is nearest to P's, measured clockwise
        // from straight down like the vertex angles (from straight up when the polygon is
        // turned inside out by a negative side length).
        double phi = shape.radius > 0 ? std::atan2(-ex, -ey) : std::atan2(ex, ey);
        if (phi < 0)
            phi += full_turn;
        long long i = std::llround(phi / shape.alpha - 0.5) % shape.sides;
        vertex(shape, i < 0 ? i + shape.sides : i, x, y);
        return true;
    }
    default: return false;
    }
}

// The picture's box in working units.
struct Box {
    double left = 0, right = 0, bottom = 0, top = 0;
    bool empty = true;

    void add(double x, double y)
    {
        if (empty) {
            left = right = x, bottom = top = y, empty = false;
            return;
        }
        left = std::min(left, x), right = std::max(right, x);
        bottom = std::min(bottom, y), top = std::max(top, y);
    }

    void add(const Shape& shape)
    {
        switch (shape.kind) {
        case Shape::circle:
        case Shape::round: {
            const double r = std::fabs(shape.radius);
            add(shape.x - r, shape.y - r);
            add(shape.x + r, shape.y + r);
            break;
        }
        case Shape::polygon:
            for (int i = 0; i < shape.sides; ++i) {
                double x, y;
                vertex(shape, i, x, y);
                add(x, y);
            }
            break;
        case Shape::point: add(shape.x, shape.y); break;
        case Shape::none: break;
        }
    }
};

// From working units to the drawing's: the box's longer side becomes 1000 units, y grows
// downwards. Dividing by the span before scaling keeps every result within the drawing.
struct View {
    explicit View(const Box& box) : box(box)
    {
        span = std::max(box.right - box.left, box.top - box.bottom);
        if (!(span > 0))
            span = 1;  // a single point, or nothing to draw
        const double width = (box.right - box.left) / span * drawn, height = (box.top - box.bottom) / span * drawn;
        left = margin + (std::max(width, least) - width) / 2;
        top = margin + (std::max(height, least) - height) / 2;
        full_width = std::ceil(std::max(width, least) + 2 * margin);
        full_height = std::ceil(std::max(height, least) + 2 * margin);
    }

    double x(double x) const { return left + (x - box.left) / span * drawn; }
    double y(double y) const { return top + (box.top - y) / span * drawn; }
    double length(double length) const { return std::fabs(length) / span * drawn; }

    Box box;
    double span, left, top, full_width, full_height;
};

// Writing the picture, straight into the stream's buffer: its coordinates with at most two
// decimals, the figures' own numbers as the dialogue writes them (printf's %g, which
// to_chars gives alike, and faster). Nothing allocates.
class Writer {
public:
    explicit Writer(std::ostream& out) : out(*out.rdbuf()) {}

    Writer& operator<<(const char* text)
    {
        out.sputn(text, static_cast<std::streamsize>(std::strlen(text)));
        return *this;
    }

    Writer& operator<<(long long whole)
    {
        char text[24];
        out.sputn(text, std::to_chars(text, text + sizeof text, whole).ptr - text);
        return *this;
    }

    // A coordinate of the drawing, which lies within a few thousand units.
    Writer& at(double value)
    {
        if (!(std::fabs(value) < 1e9))
            value = 0;
        const long long hundredths = std::llround(value * 100);
        char text[24];
        char* end = std::to_chars(text, text + sizeof text, hundredths / 100).ptr;
        if (hundredths < 0 && hundredths > -100)
            out.sputc('-');
        out.sputn(text, end - text);
        const long long rest = hundredths < 0 ? -hundredths % 100 : hundredths % 100;
        if (rest != 0) {
            text[0] = '.', text[1] = static_cast<char>('0' + rest / 10), text[2] = static_cast<char>('0' + rest % 10);
            out.sputn(text, rest % 10 != 0 ? 3 : 2);
        }
        return *this;
    }

    // A number of the figures' own.
    Writer& number(double value)
    {
        char text[32];
        out.sputn(text, std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr - text);
        return *this;
    }

private:
    std::streambuf& out;
};

void write_title(Writer& out, const Figure& figure, long long position, Shape::Kind kind, bool nearest)
{
    out << "<title>" << position + 1 << ". ";
    if (kind == Shape::none) {
        out << "sikidom: nem veges szamok, nem rajzolhato";
    } else {
        if (figure.get_side_number() == 0)
            out << "kor: sugar ";
        else
            out << "sokszog: " << figure.get_side_number() << " oldal, oldalhossz ";
        out.number(figure.get_size()) << ", kozeppont (";
        out.number(figure.get_x()) << ", ";
        out.number(figure.get_y()) << ")";
        if (kind == Shape::round)
            out << "; tul sok oldal, a csucsain atmeno korkent rajzolva";
        if (kind == Shape::point)
            out << "; negativ oldalszam, csak a kozeppontja rajzolva";
    }
    if (nearest)
        out << "; a legkozelebbi";
    out << "</title>";
}

void write_figure(Writer& out, const View& view, const Figure& figure, const Shape& shape, long long position,
                  bool nearest)
{
    const char* const kind = nearest ? " class=\"figure nearest\" id=\"f" : " class=\"figure\" id=\"f";
    const char* element = shape.kind == Shape::polygon ? "polygon" : "circle";
    out << "<" << element << kind << position + 1 << "\"";
    switch (shape.kind) {
    case Shape::polygon:
        out << " points=\"";
        for (int i = 0; i < shape.sides; ++i) {
            double x, y;
            vertex(shape, i, x, y);
            out.at(view.x(x)) << ",";
            out.at(view.y(y)) << (i + 1 < shape.sides ? " " : "\"");
        }
        break;
    case Shape::circle:
    case Shape::round:
    case Shape::point:
        out << " cx=\"";
        out.at(view.x(shape.x)) << "\" cy=\"";
        out.at(view.y(shape.y)) << "\" r=\"";
        // Never below a dot's size, so that a figure of radius 0 still shows.
        out.at(std::max(shape.kind == Shape::point ? 0 : view.length(shape.radius), 0.75)) << "\"";
        break;
    case Shape::none: out << " r=\"0\""; break;  // drawn nowhere
    }
    out << ">";
    write_title(out, figure, position, shape.kind, nearest);
    out << "</" << element << ">\n";
}

}  // namespace

void write_svg(std::ostream& out, double px, double py, lista<Sikidom>& figures, int nearest, double distance)
{
    // First walk: the count, the range of magnitudes, and the nearest figure.
    long long count = 0;
    int top = std::max(exponent(px), exponent(py));
    Figure chosen{Sikidom()};
    bool found = false;
    for_each_figure(figures, [&](const Figure& figure, long long position) {
        ++count;
        top = std::max(top, exponent_of(figure));
        if (position == nearest)
            chosen = figure, found = true;
    });
    const int shift = top == no_exponent ? 0 : top - 500;
    const bool p_drawn = std::isfinite(px) && std::isfinite(py);
    const Frame frame{shift, p_drawn ? std::ldexp(px, -shift) : 0, p_drawn ? std::ldexp(py, -shift) : 0};
    const double sx = 0, sy = 0;  // P, at the origin where it is drawn

    // Second walk: the box around P and every figure.
    Box box;
    if (p_drawn)
        box.add(sx, sy);
    for_each_figure(figures, [&](const Figure& figure, long long) { box.add(shape_of(figure, frame)); });
    const View view(box);

    Writer svg(out);
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
    svg.at(view.full_width) << "\" height=\"";
    svg.at(view.full_height) << "\" viewBox=\"0 0 ";
    svg.at(view.full_width) << " ";
    svg.at(view.full_height) << "\" font-family=\"sans-serif\">\n";
    svg << "<title>A P(";
    svg.number(px) << ", ";
    svg.number(py) << ") ponthoz legkozelebbi sikidom</title>\n";
    svg << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";

    // Third walk: the figures, but the nearest one, which comes last, on top of the others.
    double label_x[most_numbered], label_y[most_numbered];
    svg << "<g fill=\"none\" stroke=\"" << plain_colour << "\" stroke-width=\"1.5\" stroke-linejoin=\"round\">\n";
    for_each_figure(figures, [&](const Figure& figure, long long position) {
        const Shape shape = shape_of(figure, frame);
        if (count <= most_numbered) {  // at the centre; nowhere for a figure not drawn
            label_x[position] = shape.kind == Shape::none ? std::nan("") : view.x(shape.x);
            label_y[position] = view.y(shape.y);
        }
        if (!(found && position == nearest))
            write_figure(svg, view, figure, shape, position, false);
    });
    svg << "</g>\n";

    double qx = 0, qy = 0;
    bool answered = false;
    if (found) {
        const Shape shape = shape_of(chosen, frame);
        svg << "<g fill=\"" << nearest_colour << "\" fill-opacity=\"0.15\" stroke=\"" << nearest_colour
            << "\" stroke-width=\"4\" stroke-linejoin=\"round\">\n";
        write_figure(svg, view, chosen, shape, nearest, true);
        svg << "</g>\n";
        answered = p_drawn && nearest_point(shape, sx, sy, qx, qy);
    }
    if (answered) {
        svg << "<line class=\"answer\" x1=\"";
        svg.at(view.x(sx)) << "\" y1=\"";
        svg.at(view.y(sy)) << "\" x2=\"";
        svg.at(view.x(qx)) << "\" y2=\"";
        svg.at(view.y(qy)) << "\" stroke=\"" << nearest_colour << "\" stroke-width=\"2\" stroke-dasharray=\"8 4\"/>\n";
        svg << "<text class=\"distance\" x=\"";
        svg.at((view.x(sx) + view.x(qx)) / 2 + 6) << "\" y=\"";
        svg.at((view.y(sy) + view.y(qy)) / 2 - 6) << "\" font-size=\"16\" fill=\"" << nearest_colour << "\">";
        svg.number(distance) << "</text>\n";
    }
    if (p_drawn) {
        svg << "<circle class=\"point\" cx=\"";
        svg.at(view.x(sx)) << "\" cy=\"";
        svg.at(view.y(sy)) << "\" r=\"4\" fill=\"#000000\"><title>P(";
        svg.number(px) << ", ";
        svg.number(py) << ")</title></circle>\n";
        svg << "<text x=\"";
        svg.at(view.x(sx) - 16) << "\" y=\"";
        svg.at(view.y(sy) - 8) << "\" font-size=\"16\">P</text>\n";
    }
    if (count <= most_numbered) {
        svg << "<g class=\"numbers\" font-size=\"14\" text-anchor=\"middle\" fill=\"#303030\">\n";
        for (long long i = 0; i < count; ++i) {
            if (std::isnan(label_x[i]))
                continue;
            svg << "<text x=\"";
            svg.at(label_x[i]) << "\" y=\"";
            svg.at(label_y[i] + 5) << "\">" << i + 1 << "</text>\n";
        }
        svg << "</g>\n";
    }
    if (found) {
        svg << "<text x=\"10\" y=\"24\" font-size=\"16\">Legkozelebbi: a lista " << nearest + 1LL
            << ". objektuma, tavolsag: ";
        svg.number(distance) << " egyseg</text>\n";
    }
    svg << "</svg>\n";
}
