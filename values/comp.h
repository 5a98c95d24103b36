#pragma once

// A complex number for impedances: real part, imaginary part.
class comp {
public:
    comp() = default;
    comp(double real, double imag)
        : re(real)
        , im(imag)
    {
    }
    comp(const comp &other) = default;
    comp &operator=(const comp &other) = default;

    void set(double real, double imag)
    {
        re = real;
        im = imag;
    }
    double real() const { return re; }
    double imag() const { return im; }
    double magnitude() const;

    comp operator+(const comp &other) const;
    comp operator-(const comp &other) const;
    comp operator*(const comp &other) const;
    // Dividing by 0 + j0 gives the open value, dividing by an infinite part gives 0.
    comp operator/(const comp &other) const;

    // A double added or subtracted is a real number; a double factor scales both parts.
    comp operator+(double x) const;
    comp operator-(double x) const;
    comp operator*(double x) const;
    comp operator/(double x) const;

private:
    double re = 0;
    double im = 0;
};
