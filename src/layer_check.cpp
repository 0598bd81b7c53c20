// Linked with one layer's whole archive and the layers below it: that it links at all is
// the check.
int main() {
  return 0;
}
