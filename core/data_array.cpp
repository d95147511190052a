#include "core/data_array.h"

#include <functional>

template class CDataArray<std::uint64_t>;
template class CDataArray<double>;
template class CDataArray<int>;
template class CDataArray<short>;
template class CDataArray<unsigned short>;
template class CDataArray<unsigned char>;

bool FcPoint2dArray::AddXY(double x, double y) { return Add(FcPoint2d{x, y}); }

bool FcPoint2dArray::Append(const FcPoint2dArray& other) {
  const int n = other.count;
  if (n <= 0) {
    return true;
  }
  if (!Grow(n)) {
    return false;
  }
  // Read other.data only after growing: other may be this array.
  std::copy_n(other.data, n, data + count);
  count += n;
  return true;
}

bool FcPoint2dArray::Assign(const FcPoint2dArray& source) {
  if (this == &source) {
    return true;
  }
  count = 0;
  return Append(source);
}

int CIntArray::Find(int value) const {
  if (count <= 0) {
    return -1;
  }
  const int* begin = data;
  const int* end = begin + count;
  const int* found = std::find(begin, end, value);
  return found == end ? -1 : static_cast<int>(found - begin);
}

void CIntArray::Sort(int first, int last) {
  if (first < 0 || last >= count || first >= last) {
    return;
  }
  std::sort(data + first, data + last + 1, std::greater<int>());
}
