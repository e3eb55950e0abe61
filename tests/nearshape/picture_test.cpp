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

// The numbers of an attribute of the element that holds `mark` (an id, a class).
std::vector<double> Numbers(const std::string& svg, const std::string& mark, const std::string& attribute)
{
    return Parse(Value(svg, svg.rfind('<', svg.find(mark)), attribute));
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The README's example: the vertices of the nearest square in the loop's order, y upwards
// and on the circle's scale; the line from P to a vertex at the reported distance.
TEST(Picture, DrawsTheFiguresOnOneScaleWithYUpwardsAndTheLineToTheNearestPoint)
{
    const std::string svg = Draw(0, 0, {{0, 5, 0, 1}, {4, 0, -3, 2}});
    EXPECT_EQ(Count(svg, "class=\"figure"), 2u);
    const double cx = Numbers(svg, "id=\"f1\"", "cx")[0], cy = Numbers(svg, "id=\"f1\"", "cy")[0];
    const double unit = Numbers(svg, "id=\"f1\"", "r")[0];
    const auto near = [&](double x, double y, double u, double v) {
        return std::fabs(cx + (x - 5) * unit - u) < 0.05 && std::fabs(cy - y * unit - v) < 0.05;
    };
    ASSERT_NE(svg.find("class=\"figure nearest\" id=\"f2\""), std::string::npos);
    const std::vector<double> points = Numbers(svg, "id=\"f2\"", "points");
    const double square[] = {-1, -4, -1, -2, 1, -2, 1, -4};
    ASSERT_EQ(points.size(), 8u);
    for (int i = 0; i < 8; i += 2)
        EXPECT_TRUE(near(square[i], square[i + 1], points[i], points[i + 1])) << i / 2;
    EXPECT_EQ(points[0], 60);           // the margin, at the left ...
    EXPECT_EQ(cx + unit, 60 + 1000.0);  // ... and the longer side fills the view
    const auto line = [&](const char* end) { return Numbers(svg, "class=\"answer\"", end)[0]; };
    EXPECT_TRUE(near(0, 0, line("x1"), line("y1")));
    EXPECT_TRUE(near(-1, -2, line("x2"), line("y2")) || near(1, -2, line("x2"), line("y2")));
    EXPECT_NE(svg.find(">2.23607</text>"), std::string::npos);

    // P inside a circle: the line runs from P outwards, through it, to the circle.
    const std::string inside = Draw(3, 4, {{0, 0, 0, 10}});
    const double centre_x = Numbers(inside, "id=\"f1\"", "cx")[0], centre_y = Numbers(inside, "id=\"f1\"", "cy")[0];
    const double scale = Numbers(inside, "id=\"f1\"", "r")[0] / 10;
    EXPECT_NEAR(Numbers(inside, "class=\"answer\"", "x2")[0], centre_x + 6 * scale, 0.02);
    EXPECT_NEAR(Numbers(inside, "class=\"answer\"", "y2")[0], centre_y - 8 * scale, 0.02);
    EXPECT_NE(inside.find(">-5</text>"), std::string::npos);
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
        const double width = Numbers(svg, "<svg", "width")[0], height = Numbers(svg, "<svg", "height")[0];
        for (std::size_t tag = svg.find('<', 1); tag != std::string::npos; tag = svg.find('<', tag + 1)) {
            for (const char* attribute : {"cx", "cy", "r", "x", "y", "x1", "y1", "x2", "y2", "points"})
                for (double value : Parse(Value(svg, tag, attribute)))
                    ASSERT_TRUE(value >= 0 && value <= std::max(width, height)) << attribute;
        }
    }
    const std::string many = Draw(0, 0, {{2147483647, 1e300, 1e300, 1e300}, {100, 0, 0, 1}});
    EXPECT_NE(many.find("<circle class=\"figure\" id=\"f1\""), std::string::npos);
    EXPECT_NE(many.find("korkent rajzolva"), std::string::npos);
    EXPECT_NE(many.find("<polygon class=\"figure nearest\" id=\"f2\""), std::string::npos);
}

TEST(Picture, NumbersTheFiguresWhenThereAreFewEnough)
{
    for (std::size_t count : {most_numbered, most_numbered + 1}) {
        const std::string svg = Draw(0, 0, std::vector<Figure>(count, {0, 1, 1, 1}));
        EXPECT_EQ(Count(svg, "class=\"numbers\""), count == most_numbered) << count;
        EXPECT_EQ(Count(svg, ">50</text>"), count == most_numbered) << count;
    }
}

}  // namespace
