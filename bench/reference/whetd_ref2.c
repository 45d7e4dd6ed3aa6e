/* Reference floating-point benchmark: the procedures of modules 3, 8 and 9. */
void D_pa(double* E, double T, double T2);
void D_p3(double X, double Y, double* Z, double T, double T2);
void D_p0(double* E, int J, int K, int L);

void D_pa(double* E, double T, double T2) {
  int j;
  for (j = 0; j < 6; ++j) {
    E[0] = (E[0] + E[1] + E[2] - E[3]) * T;
    E[1] = (E[0] + E[1] - E[2] + E[3]) * T;
    E[2] = (E[0] - E[1] + E[2] + E[3]) * T;
    E[3] = (-E[0] + E[1] + E[2] + E[3]) / T2;
  }
}

void D_p3(double X, double Y, double* Z, double T, double T2) {
  X = T * (X + Y);
  Y = T * (X + Y);
  *Z = (X + Y) / T2;
}

void D_p0(double* E, int J, int K, int L) {
  E[J] = E[K];
  E[K] = E[L];
  E[L] = E[J];
}

