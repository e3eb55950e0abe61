#include "picture.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Figure {
    int sides;  // 0: a circle
    double x, y, size;
};

// The drawing of P and the figures, the nearest one found as the program finds it.
std::string Draw(double px, double py, const std::vector<Figure>& figures)
{
    lista<Sikidom> list;
    int nearest = 0;
    double best = 0;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        Sokszog figure;
        figure.place(figures[i].x, figures[i].y);
        figure.set_side_number(figures[i].sides);
        figure.set_side_length(figures[i].size);
        list.Insert(figure);
        const double distance = figure.get_distance(px, py);
        if (i == 0 || best > distance)
            best = distance, nearest = static_cast<int>(i);
    }
    std::ostringstream out;
    write_svg(out, px, py, list, nearest, best);
    return out.str();
}

// The numbers in an attribute's value, separated by blanks or commas.
std::vector<double> Parse(const std::string& value)
{
    std::vector<double> numbers;
    char* next;
    for (const char* at = value.c_str(); *at; at = next + (*next == ',')) {
        numbers.push_back(std::strtod(at, &next));
        if (next == at)
            break;
    }
    return numbers;
}

// The value of an attribute in the tag that begins at `start`.
std::string Value(const std::string& svg, std::size_t start, const std::string& attribute)
{
    const std::string key = " " + attribute + "=\"";
    const std::size_t at = svg.find(key, start), from = at + key.size();
    return at < svg.find('>', start) ? svg.substr(from, svg.find('"', from) - from) : "";
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Whatever the numbers, every coordinate of the drawing is finite and lies in its view, and
// every figure has its one shape; polygons of many sides are drawn as circles.
TEST(Picture, AnyNumbersGiveADrawingWithinItsView)
{
    const double huge = DBL_MAX, nan = std::numeric_limits<double>::quiet_NaN(), inf = HUGE_VAL;
    const struct {
        double px, py;
        std::vector<Figure> figures;
    } cases[] = {
        {1e300, -1e300, {{2147483647, 1e300, 1e300, 1e300}, {0, -1e300, 0, 1e300}, {101, 0, 0, 1}}},
        {-huge, huge, {{0, huge, -huge, -huge}, {3, 0, 0, -huge}, {2147483647, -huge, 0, huge}}},
        {1e150, 0, {{0, 1e150, 0, 5e-324}, {4, 1e150, 1e-300, 1e-310}}},
        {0, 0, {{0, 5e-324, 0, 0}, {2147483647, 0, 0, 4.9e-324}}},
        {0, 0, {{0, 0, 0, 0}}},
        {nan, 0, {{0, nan, 0, 1}, {3, 0, inf, 1}, {4, 1, 1, -inf}, {0, 2, 2, 1}}},
        {0, 0, {{-5, 1, 1, 1}, {1, 0, 0, 1}, {2, 3, 3, 1}}},
    };
    for (const auto& c : cases) {
        const std::string svg = Draw(c.px, c.py, c.figures);
        SCOPED_TRACE(svg);
        EXPECT_EQ(Count(svg, "class=\"figure"), c.figures.size());
        const std::size_t view = svg.find("<svg");
        const double width = std::stod(Value(svg, view, "width")), height = std::stod(Value(svg, view, "height"));
        for (std::size_t tag = svg.find('<', 1); tag != std::string::npos; tag = svg.find('<', tag + 1)) {
            for (const char* attribute : {"cx", "cy", "r", "x", "y", "x1", "y1", "x2", "y2", "points"})
                for (double value : Parse(Value(svg, tag, attribute)))
                    ASSERT_TRUE(value >= 0 && value <= std::max(width, height)) << attribute;
        }
    }
    const std::string limit = Draw(0, 0, {{101, 0, 0, 1}, {100, 0, 0, 1}}), point = Draw(0, 0, {{-5, 1, 1, 1}});
    EXPECT_EQ(Count(limit, "korkent rajzolva"), 1u);  // the 101 sides as a circle, and said so
    EXPECT_EQ(Count(limit, "<polygon"), 1u);
    EXPECT_EQ(Count(point, "csak a kozeppontja rajzolva"), 1u);  // a negative side number: its centre alone
}

// P (0, 0), a square of side 20 about (-160, 0) and the nearest figure, a circle of radius 10
// about (30, 40), fill a box of 210 by 60 units: drawn 1000 by 285.71, centred in the least
// height of 400, within a margin of 60, y downwards. Each figure, its number, P, the answer's line and its label lie
// where the geometry puts them.
TEST(Picture, DrawsTheFiguresTheirNumbersAndTheAnswerWhereTheyAre)
{
    const std::string svg = Draw(0, 0, {{4, -160, 0, 20}, {0, 30, 40, 10}});
    const std::size_t view = svg.find("<svg"), square = svg.find("id=\"f1\""), circle = svg.find("id=\"f2\"");
    EXPECT_EQ(Value(svg, view, "width") + " " + Value(svg, view, "height") + " " + Value(svg, view, "viewBox"),
              "1120 520 0 0 1120 520");
    const auto x = [](double x) { return 60 + (x + 170) / 210 * 1000; };
    const auto y = [](double y) { return 60 + (400 - 60 / 210.0 * 1000) / 2 + (50 - y) / 210 * 1000; };
    const auto text = [&](const std::string& shown) { return svg.rfind("<text", svg.find(">" + shown + "</text>")); };
    const struct {
        std::size_t tag;
        std::vector<const char*> attributes;
        std::vector<double> expected;
    } parts[] = {{square, {"points"}, {x(-170), y(-10), x(-170), y(10), x(-150), y(10), x(-150), y(-10)}},
                 {circle, {"cx", "cy", "r"}, {x(30), y(40), x(10) - x(0)}},
                 {text("1"), {"x", "y"}, {x(-160), y(0) + 5}},
                 {text("2"), {"x", "y"}, {x(30), y(40) + 5}},
                 {svg.find("<line class=\"answer\""), {"x1", "y1", "x2", "y2"}, {x(0), y(0), x(24), y(32)}},
                 {svg.find("<text class=\"distance\""), {"x", "y"}, {(x(0) + x(24)) / 2 + 6, (y(0) + y(32)) / 2 - 6}},
                 {svg.find("<circle class=\"point\""), {"cx", "cy"}, {x(0), y(0)}},
                 {text("P"), {"x", "y"}, {x(0) - 16, y(0) - 8}}};
    for (const char* text : {"<title>1. sokszog: 4 oldal, oldalhossz 20, kozeppont (-160, 0)</title>",
                             "<title>2. kor: sugar 10, kozeppont (30, 40); a legkozelebbi</title>",
                             ">Legkozelebbi: a lista 2. objektuma, tavolsag: 40 egyseg</text>"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    for (const auto& part : parts) {
        std::vector<double> drawn;
        for (const char* attribute : part.attributes)
            for (double value : Parse(Value(svg, part.tag, attribute)))
                drawn.push_back(value);
        ASSERT_EQ(drawn.size(), part.expected.size()) << part.attributes[0];
        for (std::size_t i = 0; i < drawn.size(); ++i)
            EXPECT_NEAR(drawn[i], part.expected[i], 0.006) << part.attributes[0] << " " << i;
    }
}

// A polygon of many sides, drawn as the circle through its vertices: the answer's line still
// ends at its nearest vertex, as far from P as the distance says (in a view 300 + R wide).
TEST(Picture, TheAnswerEndsAtTheNearestVertexOfAPolygonDrawnAsACircle)
{
    Sokszog polygon;
    polygon.set_side_number(101), polygon.set_side_length(10);
    const double radius = 5 / std::sin(std::acos(-1.0) / 101), distance = polygon.get_distance(300, 50);
    const std::string svg = Draw(300, 50, {{101, 0, 0, 10}});
    std::vector<double> end;
    for (const char* attribute : {"x1", "y1", "x2", "y2"})
        end.push_back(std::stod(Value(svg, svg.find("<line"), attribute)));
    EXPECT_NEAR(std::hypot(end[2] - end[0], end[3] - end[1]), distance / (300 + radius) * 1000, 0.02);
    // P a hair right of a circle's centre: the answer runs right to the rim, half the picture wide.
    const std::string near = Draw(1e-160, 0, {{0, 0, 0, 1}});
    const std::size_t line = near.find("<line");
    EXPECT_EQ(Value(near, line, "y2"), Value(near, line, "y1"));
    EXPECT_NEAR(std::stod(Value(near, line, "x2")) - std::stod(Value(near, line, "x1")), 500, 0.02);
}

// Coordinates whose sums lie beyond the double range are drawn all the same: here a circle half
// the picture wide.
TEST(Picture, DrawsFiguresNearTheTopOfTheRange)
{
    const std::string svg = Draw(0, 0, {{0, 1e308, 0, 1e308}});
    EXPECT_EQ(Value(svg, svg.find("id=\"f1\""), "r"), "500");
}

TEST(Picture, NumbersTheFiguresWhenThereAreFewEnough)
{
    for (std::size_t count : {50, 51}) {
        const std::string svg = Draw(0, 0, std::vector<Figure>(count, {0, 1, 1, 1}));
        EXPECT_EQ(Count(svg, "class=\"numbers\""), count == 50) << count;
        EXPECT_EQ(Count(svg, ">50</text>"), count == 50) << count;
    }
}

// A hexagon far smaller than its coordinates keeps its shape: its sides are equally long.
TEST(Picture, TinyFigureFarAwayIsDrawnAsItIs)
{
    const std::string svg = Draw(1e6, 1e6, {{6, 1e6, 1e6, 1e-9}});
    const std::vector<double> v = Parse(Value(svg, svg.find("<polygon"), "points"));
    ASSERT_EQ(v.size(), 12u);
    for (std::size_t i = 0; i < 12; i += 2)
        EXPECT_NEAR(std::hypot(v[(i + 2) % 12] - v[i], v[(i + 3) % 12] - v[i + 1]),
                    std::hypot(v[2] - v[0], v[3] - v[1]), 0.05);
}

}  // namespace
