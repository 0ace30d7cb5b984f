// The chi-square distribution, for the global test of [pvv]: its
// distribution function through the regularized incomplete gamma function,
// and its quantiles by Newton's method kept inside a bracket.
#pragma once

namespace kestrane {

// P(a, x) = gamma(a, x) / Gamma(a), a > 0, x >= 0: a power series below
// x = a + 1, a continued fraction for the complement above.
double regularizedLowerGamma(double a, double x);

// The probability that chi-square with the given degrees of freedom (>= 1)
// stays at or below x (>= 0).
double chiSquareDistribution(double x, int degreesOfFreedom);

// The value x with chiSquareDistribution(x, dof) = p, 0 < p < 1, to about
// 1e-12 relative.
double chiSquareQuantile(double p, int degreesOfFreedom);

}  // namespace kestrane
