#include "analysis/chi_square.h"

#include <cmath>
#include <algorithm>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace kestrane {
namespace {

constexpr double epsilon = std::numeric_limits<double>::epsilon();
constexpr double tiny = 1e-300;        // keeps the continued fraction off zero
constexpr int maximumTerms = 1000000;  // the series needs some sqrt(a) terms

// x^a e^-x / Gamma(a), in logarithms: a is up to some ten thousand here.
double powerFactor(double a, double x)
{
    return std::exp(a * std::log(x) - x - std::lgamma(a));
}

double lowerBySeries(double a, double x)
{
    double term = 1 / a, sum = term;
    for (int k = 1; k < maximumTerms; ++k) {
        term *= x / (a + k);
        sum += term;
        if (term < sum * epsilon) break;
    }
    return sum * powerFactor(a, x);
}

// Q(a, x) = 1 - P(a, x) by the continued fraction, evaluated from the front
// (the modified Lentz method).
double upperByFraction(double a, double x)
{
    double b = x + 1 - a, c = 1 / tiny, d = 1 / b, h = d;
    for (int i = 1; i < maximumTerms; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::fabs(d) < tiny) d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) < epsilon) break;
    }
    return powerFactor(a, x) * h;
}

// The density of chi-square with k degrees of freedom.
double chiSquareDensity(double x, int k)
{
    const double a = k / 2.0;
    return x > 0 ? std::exp((a - 1) * std::log(x / 2) - x / 2 - std::lgamma(a)) / 2 : 0;
}

// The standard normal quantile, by Newton's method on its distribution
// function: from 0 the steps approach the root from one side.
double normalQuantile(double p)
{
    double z = 0;
    for (int i = 0; i < 100; ++i) {
        const double step = (0.5 * std::erfc(-z / std::sqrt(2.0)) - p) / (std::exp(-z * z / 2) / std::sqrt(2 * std::numbers::pi));
        z -= step;
        if (std::fabs(step) < 1e-12 * (1 + std::fabs(z))) break;
    }
    return z;
}

}  // namespace

double regularizedLowerGamma(double a, double x)
{
    if (!(a > 0) || !(x >= 0)) throw std::domain_error("incomplete gamma outside its domain");
    if (x == 0) return 0;
    return x < a + 1 ? lowerBySeries(a, x) : 1 - upperByFraction(a, x);
}

double chiSquareDistribution(double x, int degreesOfFreedom)
{
    return regularizedLowerGamma(degreesOfFreedom / 2.0, x / 2);
}

double chiSquareQuantile(double p, int degreesOfFreedom)
{
    if (!(p > 0 && p < 1) || degreesOfFreedom < 1) throw std::domain_error("chi-square quantile outside its domain");
    const double k = degreesOfFreedom;
    // Wilson and Hilferty: the cube root of chi-square / k is nearly normal.
    const double spread = 2 / (9 * k);
    double x = k * std::pow(std::max(1 - spread + normalQuantile(p) * std::sqrt(spread), 0.01), 3);

    // A bracket around the root, then Newton's steps inside it, halving where
    // a step would leave it.
    double low = 0, high = std::max(x, k);
    while (chiSquareDistribution(high, degreesOfFreedom) < p) high *= 2;
    for (int i = 0; i < 200; ++i) {
        const double difference = chiSquareDistribution(x, degreesOfFreedom) - p;
        if (difference < 0) low = x;
        else high = x;
        const double density = chiSquareDensity(x, degreesOfFreedom);
        double next = density > 0 ? x - difference / density : (low + high) / 2;
        if (!(next > low && next < high)) next = (low + high) / 2;
        if (std::fabs(next - x) <= 1e-14 * x || high - low <= 1e-14 * high) return next;
        x = next;
    }
    return x;
}

}  // namespace kestrane
