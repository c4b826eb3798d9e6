// Dense linear algebra for the least-squares fix and the equation solver:
// element-wise sum, difference, copy and scaling, products, transposition,
// norm and dot product, square roots of absolute values (weights to
// square-root weights), the inverse of a square matrix by Gauss-Jordan
// elimination with partial pivoting and the in-place inverse of an upper
// triangular matrix.
//
// Arrays are orvex::Vector / orvex::Matrix (navlib/arrays.h). Every routine
// but VecNorm runs its indices from 1 to the upper bound of the array named
// in its comment; an element 0 of an array that has one is never read or
// written. The sizes come from the upper bounds of the first operand; the
// other operands and the result must already be dimensioned to at least
// those bounds (no routine resizes an array; a short array is a programming
// error, caught by the element checks of a debug build).
//
// The vector flag of the classic interface (0 = matrices, other = vectors)
// is carried by the argument types here: the Vector overloads are the vector
// forms. A trailing flag argument is still accepted and ignored, so that
// calls written as MatAdd(A, B, C, 0) read as before.
//
// Failures are shown through ReportMessage with the exclamation icon and an
// OK button under the title " Error in mathematical routine".
#pragma once

#include "navlib/arrays.h"

namespace orvex {

// C = A + B over i = 1..rows of A, j = 1..columns of A (vector: i = 1..length of A).
void MatAdd(const Matrix& A, const Matrix& B, Matrix& C, int vectorFlag = 0);
void MatAdd(const Vector& A, const Vector& B, Vector& C, int vectorFlag = 1);

// C = A - B, ranges as MatAdd.
void MatSubtract(const Matrix& A, const Matrix& B, Matrix& C, int vectorFlag = 0);
void MatSubtract(const Vector& A, const Vector& B, Vector& C, int vectorFlag = 1);

// B = A, ranges as MatAdd.
void MatCopy(const Matrix& A, Matrix& B, int vectorFlag = 0);
void MatCopy(const Vector& A, Vector& B, int vectorFlag = 1);

// B = k * A, ranges as MatAdd. B may be A itself.
void MatScale(double k, const Matrix& A, Matrix& B, int vectorFlag = 0);
void MatScale(double k, const Vector& A, Vector& B, int vectorFlag = 1);

// B(j, i) = A(i, j) for i = 1..rows of A, j = 1..columns of A. B must not be A.
void MatTranspose(const Matrix& A, Matrix& B);

// In place: A(i, j) = sqrt(|A(i, j)|) for i = 1..rows, j = 1..columns
// (vector: A(i) = sqrt(|A(i)|), i = 1..length). Turns weights into
// square-root weights.
void MatSqrtAbs(Matrix& A, int vectorFlag = 0);
void MatSqrtAbs(Vector& A, int vectorFlag = 1);

// Sum of U(i) * V(i) for i = 1..length of U (element 0 does not count).
double DotProduct(const Vector& U, const Vector& V);

// Euclidean norm over ALL elements of V, from its lower to its upper bound
// (element 0 counts when V has one).
double VecNorm(const Vector& V);

// Products. The mode of the classic interface is fixed by the argument types:
//   mode 0  matrix x matrix -> matrix: C(i, j) = sum over k = 1..columns of A
//           of A(i, k) * B(k, j), i = 1..rows of A, j = 1..columns of B. When
//           the columns of A differ from the rows of B the box "Unable to
//           multiply matrixes. No correct sizes." is shown and C is unchanged.
//   mode 1  vector x matrix -> vector: C(j) = sum over k = 1..length of A of
//           A(k) * B(k, j), j = 1..columns of B (C = A^T B).
//   mode 2  matrix x vector -> vector: C(i) = sum over k = 1..length of B of
//           A(i, k) * B(k), i = 1..rows of A.
//   mode 3  outer product: C(i, j) = A(i) * B(j), i = 1..length of A,
//           j = 1..length of B.
// A mode argument that does not match the overload does nothing (as an
// unknown mode always did). Only mode 0 checks the sizes. C must not be A or B.
void MatMultiply(const Matrix& A, const Matrix& B, Matrix& C, int mode = 0);
void MatMultiply(const Vector& A, const Matrix& B, Vector& C, int mode = 1);
void MatMultiply(const Matrix& A, const Vector& B, Vector& C, int mode = 2);
void MatMultiply(const Vector& A, const Vector& B, Matrix& C, int mode = 3);

// Inverse of the square matrix A (n = rows of A) by Gauss-Jordan elimination
// with partial pivoting; the first of equally large pivot candidates wins.
//   A     destroyed: the identity on success
//   Ainv  out: the inverse (elements 1..n, 1..n are overwritten)
//   det   out: the determinant of A as it was passed in
// A pivot smaller than 1e-8 in magnitude shows "Singular matrix. Unable to
// invert it." and returns at once, the arrays partly transformed and det
// the product of the pivots found so far. Returns false in that case.
bool MatInvert(Matrix& A, Matrix& Ainv, double& det);

// Replaces the upper triangular matrix A (n = rows of A) by its inverse, in
// place, row by row; the part below the diagonal becomes 0. A diagonal
// element smaller than 1e-8 in magnitude (for rows already done: its
// inverse) shows the singular-matrix box and returns at once with A partly
// inverted. Returns false in that case.
bool InvertUpperTriangular(Matrix& A);

}  // namespace orvex
