#pragma once
// Nodal analysis for the PWM model tests, written independently of the models:
// unknown node voltages solved from rows that are either a node's current
// balance or a source's defining equation.
#include <QPair>
#include <QVector>

#include <complex>
#include <utility>

using cplx = std::complex<double>;
constexpr double kTwoPi = 6.283185307179586;

struct Nodal {
    int n;
    QVector<QVector<cplx>> a;
    QVector<cplx> b;
    QVector<bool> kcl;
    explicit Nodal(int count)
        : n(count)
        , a(count, QVector<cplx>(count))
        , b(count)
        , kcl(count, true)
    {
    }
    // An admittance between nodes p and q (-1 is ground).
    void y(int p, int q, cplx Y)
    {
        if (p >= 0 && kcl[p]) {
            a[p][p] += Y;
            if (q >= 0)
                a[p][q] -= Y;
        }
        if (q >= 0 && kcl[q]) {
            a[q][q] += Y;
            if (p >= 0)
                a[q][p] -= Y;
        }
    }
    // Row of a source: V(node) - sum k * V(other) = rhs.
    void source(int node, const QVector<QPair<int, cplx>> &terms, cplx rhs)
    {
        kcl[node] = false;
        a[node].fill(0);
        a[node][node] = 1;
        for (const auto &t : terms)
            a[node][t.first] -= t.second;
        b[node] = rhs;
    }
    // Gaussian elimination with partial pivoting.
    QVector<cplx> solve() const
    {
        auto m = a;
        auto v = b;
        for (int c = 0; c < n; ++c) {
            int p = c;
            for (int r = c + 1; r < n; ++r)
                if (std::abs(m[r][c]) > std::abs(m[p][c]))
                    p = r;
            std::swap(m[c], m[p]);
            std::swap(v[c], v[p]);
            for (int r = c + 1; r < n; ++r) {
                const cplx f = m[r][c] / m[c][c];
                for (int k = c; k < n; ++k)
                    m[r][k] -= f * m[c][k];
                v[r] -= f * v[c];
            }
        }
        QVector<cplx> x(n);
        for (int r = n - 1; r >= 0; --r) {
            cplx s = v[r];
            for (int k = r + 1; k < n; ++k)
                s -= m[r][k] * x[k];
            x[r] = s / m[r][r];
        }
        return x;
    }
};
