object VerForm: TVerForm
  Left = 245
  Top = 203
  BorderIcons = []
  BorderStyle = bsSizeToolWin
  Caption = 'バージョン情報'
  ClientHeight = 234
  ClientWidth = 403
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'ＭＳ Ｐゴシック'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 12
end
