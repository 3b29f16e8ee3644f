#include "core/devmode.h"

#include "core/private_settings.h"
#include "core/private_settings_ops.h"
#include "platform/last_error.h"

namespace kvt {

HRESULT DevMode(DWORD mode, POEMDMPARAM param) {
  if (param == nullptr) {
    SetThreadLastError(ERROR_INVALID_PARAMETER);
    return E_FAIL;
  }
  auto* in = static_cast<const PrivateSettings*>(param->pOEMDMIn);
  auto* out = static_cast<PrivateSettings*>(param->pOEMDMOut);

  // Once the request is understood the framework gets S_OK: a corrected or
  // replaced record is still a usable record, and the framework has no use
  // for the operations' own flags.
  switch (mode) {
    case abi::OEMDM_SIZE:
      param->cbBufSize = kPrivateSettingsSize;
      return S_OK;
    case abi::OEMDM_DEFAULT:
      Defaults(out);
      return S_OK;
    case abi::OEMDM_CONVERT:
      Convert(in, out);
      return S_OK;
    case abi::OEMDM_MERGE:
      Convert(in, out);
      Merge(out, param->hPrinter);
      return S_OK;
    default:
      SetThreadLastError(ERROR_INVALID_PARAMETER);
      return E_FAIL;
  }
}

}  // namespace kvt
