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
    const std::string limit = Draw(0, 0, {{101, 0, 0, 1}, {100, 0, 0, 1}});
    EXPECT_EQ(Count(limit, "korkent rajzolva"), 1u);  // the 101 sides as a circle, and said so
    EXPECT_EQ(Count(limit, "<polygon"), 1u);
}

TEST(Picture, NumbersTheFiguresWhenThereAreFewEnough)
{
    for (std::size_t count : {most_numbered, most_numbered + 1}) {
        const std::string svg = Draw(0, 0, std::vector<Figure>(count, {0, 1, 1, 1}));
        EXPECT_EQ(Count(svg, "class=\"numbers\""), count == most_numbered) << count;
        EXPECT_EQ(Count(svg, ">50</text>"), count == most_numbered) << count;
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
