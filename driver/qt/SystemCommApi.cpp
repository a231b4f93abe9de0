#include "SystemCommApi.h"

comm::CommApi& comm::SystemCommApi() {
  static SystemCommApiImpl api;
  return api;
}
