/* Answers when a 32-bit Windows program runs on this machine under Wine. */
#include <stdio.h>

int main(void) {
  printf("velmora-probe %d\n", (int)(sizeof(void*) * 8));
  return 0;
}
