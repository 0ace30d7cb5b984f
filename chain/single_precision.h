// Values the record keeps in single precision: the triangle misclosures, the
// misclosure vector, the observed sides and the precision figures. Every later
// use reads the stored single value.
#pragma once

namespace kestrane {

// A value stored in single precision. A finite double beyond the range of a
// float becomes an infinity of its sign, as IEEE rounding would make it;
// the plain conversion would be undefined.
float toSingle(double value);

// A misclosure held in metres, in millimetres: the product formed in single
// precision, as the window and the report show it.
float singleMillimetres(float metres);

}  // namespace kestrane
