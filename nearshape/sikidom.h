#ifndef NEARSHAPE_SIKIDOM_H
#define NEARSHAPE_SIKIDOM_H

// A plane figure: a circle (side_number 0) or a regular polygon. The subclasses only name
// the shared fields, so a figure keeps its behaviour when copied into a Sikidom.
class Sikidom {
public:
    void place(double x, double y)
    {
        this->x = x;
        this->y = y;
    }
    double get_x() const { return x; }
    double get_y() const { return y; }
    int get_side_number() const { return side_number; }

    // Distance of P = (px, py): for a circle the distance to its centre less the radius
    // (negative inside), for a polygon the distance to its nearest vertex.
    double get_distance(double px, double py) const;

protected:
    double x = 0;
    double y = 0;
    double size = 0;  // radius of a circle, side length of a polygon
    int side_number = 0;
};

class Kor : public Sikidom {
public:
    void set_radius(double r) { size = r; }
    double get_radius() const { return size; }
};

class Sokszog : public Sikidom {
public:
    void set_side_number(int n) { side_number = n; }
    void set_side_length(double a) { size = a; }
    double get_side_length() const { return size; }
};

#endif
